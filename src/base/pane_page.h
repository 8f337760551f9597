// A pane page: a plain child window whose messages go to the one handler the pane that fills it
// sets. The handler lives in the window's own extra bytes rather than in the common controls'
// subclass chain, which under Wine asks the server for a window property on every message: a
// symbol tree going away sends its page one notification per symbol.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr wchar_t kPanePageClass[] = L"KelpoPanePage";

// Handles a message of the page; what it does not take it passes to ::DefWindowProcW.
using PanePageHandler = LRESULT (*)(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);

// Registers the page class once per process; false when it cannot be registered.
bool RegisterPanePageClass(HINSTANCE instance);

// Sends the page's messages from now on to the handler with `data`; false when `page` is no page.
bool SetPanePageHandler(HWND page, PanePageHandler handler, DWORD_PTR data = 0);

}  // namespace kelpo
