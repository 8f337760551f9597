// The session: the open documents written at exit and reopened at the next start.
#pragma once

namespace kelpo {

struct AppState;

// Writes "session.xml" with every open document.
void SaveSession(AppState& app);
// Reopens the documents of "session.xml"; returns how many were opened.
int LoadSession(AppState& app);

}  // namespace kelpo
