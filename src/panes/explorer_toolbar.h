// The explorer's customisable toolbar: commands 10-18 and the slot of the filter box.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace kelpo {

// The toolbar with the buttons of the stored layout (the default set when it yields none),
// followed by the 260-pixel slot that holds the filter box.
HWND CreateExplorerToolbar(HWND page, int id, const std::wstring& layout);
// The stored form of the buttons shown now.
std::wstring ExplorerToolbarLayout(HWND toolbar);
// Right edge of the last button before the filter slot.
int ExplorerButtonsRight(HWND toolbar);
void EnableExplorerButton(HWND toolbar, int command, bool enabled);
// Info tips and the notifications of the customisation dialog; true when handled.
bool OnExplorerToolbarNotify(const NMHDR* header, LRESULT& result);

}  // namespace kelpo
