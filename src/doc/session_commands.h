// Commands of the session and the recent lists: 11 and 12 (open and save a session file),
// 14 and 16 (clear recent files and projects), 300-349 and 350-399 (open a recent entry).
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr int kCmdOpenSession = 11;
inline constexpr int kCmdSaveSessionAs = 12;
inline constexpr int kCmdClearRecentFiles = 14;
inline constexpr int kCmdClearRecentProjects = 16;
inline constexpr int kCmdRecentFileFirst = 300;
inline constexpr int kCmdRecentProjectFirst = 350;
inline constexpr int kRecentCommandRange = 50;

// False when the identifier is none of these.
bool HandleSessionCommand(int command);
// WM_INITMENUPOPUP: the pop-up whose first item is command 14 is filled with the recent files,
// the one whose first item is 16 with the recent projects (only when the build tool is
// present); any other pop-up is left alone.
void OnRecentMenuPopup(HMENU popup);

}  // namespace kelpo
