// The status bar window: its creation and the widths of its seven parts.
#pragma once

#include <windows.h>

#include "base/status_text.h"

namespace kelpo {

inline constexpr int kStatusBarId = 99;

// Creates the status bar and measures its parts; false when it could not be made.
bool CreateStatusBar(HWND mainWindow);
// Assigns the part edges from the right edge of a client area of this width.
void SetStatusParts(int clientWidth);

}  // namespace kelpo
