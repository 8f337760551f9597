// Mouse handling of the document tab bar: closing clicks, dragging tabs to reorder them, tips.
#pragma once

#include <windows.h>

namespace kelpo {

// Window procedure of the "TabCtrlEx" class; `original` is the system tab control's.
LRESULT HandleTabBarMessage(HWND tabBar, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC original);

// TTN_GETDISPINFO of the tab bar's tip (tool 102): fills in the text of the tab under the pointer.
// False for any other notification. The tab bar answers its tip itself; the main window calls
// this too for systems whose tab control hands the request on to its parent.
bool OnTabToolTip(NMHDR* header);

}  // namespace kelpo
