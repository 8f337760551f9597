// The session: the open tabs with their view state, written to an XML file and reopened from it.
#pragma once

#include <string>

namespace kelpo {

struct AppState;

// Writes the session of every open tab to the file; false when it could not be written.
bool SaveSession(const std::wstring& path);
// Reopens the tabs of a session file and selects its selected tab; returns how many documents
// resulted. A file that cannot be read or whose root is not "kelpo" opens nothing.
int LoadSession(const std::wstring& path);

// The automatic session "session.xml" beside the program: written at exit, read at start.
void SaveSession(AppState& app);
int LoadSession(AppState& app);

}  // namespace kelpo
