// The six recent lists of the program and their home, the sections of "mru.ini": recent files
// and projects (limited by MruSize) and the four search histories.
#pragma once

#include <string>

#include "base/recent_list.h"

namespace kelpo {

struct AppState;

inline constexpr int kSearchHistoryLimit = 20;

struct RecentLists {
    RecentLists();

    RecentList files;      // section "Files"
    RecentList projects;   // section "Projects"
    RecentList find;       // section "Find"
    RecentList replace;    // section "Replace"
    RecentList findType;   // section "FindType"
    RecentList findWhere;  // section "FindWhere"
};

// At main-window creation: the limits from MruSize, then every list whose limit is not 0 is
// read from "mru.ini".
void LoadRecentLists(AppState& app);
// At exit: all six sections written in one go. A list that was never loaded because its
// limit is 0, and has not changed since, leaves its section as it is.
void SaveRecentLists(AppState& app);
// Puts an opened file at the front of "Files", or of "Projects" for a project file.
void AddRecentFile(const std::wstring& path, bool isProject);
// MruSize: the limit of "Files" and "Projects", written to "kelpo.ini" at once. Sizes outside
// 0-30 are ignored and give false.
bool SetMruSize(AppState& app, int size);

// One list against one section of an INI file: its lines appended up to the limit (nothing
// for a list with limit 0), or the section replaced by the entries (clearing the changed mark).
void LoadRecent(RecentList& list, const std::wstring& iniPath, const wchar_t* section);
bool SaveRecent(RecentList& list, const std::wstring& iniPath, const wchar_t* section);

}  // namespace kelpo
