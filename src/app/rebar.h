// The rebar at the top of the main window with the main toolbar in its first band.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace kelpo {

inline constexpr int kRebarId = 97;
inline constexpr int kMainToolbarId = 96;

// Creates the rebar and the main toolbar from `MainToolbar`; false when they could not be made.
bool CreateRebar(HWND mainWindow);
// Command 131: the toolbars are made again (icon size changed).
void RebuildRebar(HWND mainWindow);
// Band visibility and grippers after a change of Config1 bits 7, 8 and 10.
void UpdateRebarBands();
// The pane buttons 90-96 are pressed for the visible panes' selected pages.
void UpdatePaneButtons();
// WM_NOTIFY from the toolbar (tips, drop-downs, customisation); true when handled.
bool OnToolbarNotify(HWND mainWindow, NMHDR* header, LRESULT& result);

}  // namespace kelpo
