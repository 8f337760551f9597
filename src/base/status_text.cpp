// Status-bar part texts, written to and read from the bar that the shell made.
#include "base/status_text.h"

#include <windows.h>
#include <commctrl.h>

#include "base/app_state.h"

namespace kelpo {

void SetStatusText(int part, const std::wstring& text) {
    if (App().shell.statusBar != nullptr) {
        ::SendMessageW(App().shell.statusBar, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

std::wstring StatusText(int part) {
    HWND bar = App().shell.statusBar;
    if (bar == nullptr) {
        return {};
    }
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(length + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

}  // namespace kelpo
