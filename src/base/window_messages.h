// The main window's private messages; any part of the program posts or sends them by number.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr UINT UM_STARTUP_DONE = WM_USER + 100;  // 1124
inline constexpr UINT UM_GOTO_LINE = WM_USER + 102;     // 1126
inline constexpr UINT UM_CHECK_FILE = WM_USER + 105;    // 1129
inline constexpr UINT UM_TRAY_NOTIFY = WM_USER + 107;   // 1131

}  // namespace kelpo
