// The main window: its classes, its creation and the messages that belong to the application shell.
#pragma once

#include <windows.h>

#include "app/settings.h"

namespace kelpo {

// Private messages of the main window; other parts of the program post or send them by number.
inline constexpr UINT UM_STARTUP_DONE = WM_USER + 100;  // 1124
inline constexpr UINT UM_GOTO_LINE = WM_USER + 102;     // 1126
inline constexpr UINT UM_CHECK_FILE = WM_USER + 105;    // 1129
inline constexpr UINT UM_TRAY_NOTIFY = WM_USER + 107;   // 1131

inline constexpr wchar_t kMainWindowTitle[] = L"Kelpo";
inline constexpr int kMinTrackWidth = 500;
inline constexpr int kMinTrackHeight = 300;

// Registers "KelpoWindow", "TabCtrlEx", "ListBoxEx" and the editing component's classes.
bool RegisterWindowClasses(HINSTANCE instance);
void UnregisterWindowClasses(HINSTANCE instance);

// Creates the main window at the given place (not yet shown).
HWND CreateMainWindow(HINSTANCE instance, const WindowPos& pos, HMENU menu);

}  // namespace kelpo
