// Placing the main window's children, and the splitters between them.
#pragma once

#include <windows.h>

#include "app/main_layout.h"

namespace kelpo {

// The current geometry inputs from the window and the settings.
LayoutInput CurrentLayoutInput();
// Places every child window; nothing before creation has finished or while full screen is on.
void LayoutMainWindow();

// Splitter mouse handling of the main window; true when the message was taken.
bool OnSplitterMouseMove(HWND window, int x, int y);
bool OnSplitterButtonDown(HWND window, int x, int y);
bool OnSplitterButtonUp();
// Paints the splitter gaps (the main window has no background brush).
void PaintSplitterGaps(HDC dc);

}  // namespace kelpo
