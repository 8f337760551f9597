// The main window: its classes, its creation and the messages that belong to the application shell.
#pragma once

#include <windows.h>

#include "base/settings.h"
#include "base/window_messages.h"

namespace kelpo {

inline constexpr wchar_t kMainWindowTitle[] = L"Kelpo";
inline constexpr int kMinTrackWidth = 500;
inline constexpr int kMinTrackHeight = 300;

// Registers "KelpoWindow", "TabCtrlEx", "ListBoxEx" and the editing component's classes.
bool RegisterWindowClasses(HINSTANCE instance);
void UnregisterWindowClasses(HINSTANCE instance);

// Creates the main window at the given place (not yet shown).
HWND CreateMainWindow(HINSTANCE instance, const WindowPos& pos, HMENU menu);

}  // namespace kelpo
