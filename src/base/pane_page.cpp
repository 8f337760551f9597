// The pane page class and its handler slot.
#include "base/pane_page.h"

namespace kelpo {
namespace {

constexpr int kHandlerSlot = 0;
constexpr int kDataSlot = static_cast<int>(sizeof(LONG_PTR));

LRESULT CALLBACK PanePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto handler = reinterpret_cast<PanePageHandler>(::GetWindowLongPtrW(page, kHandlerSlot));
    if (handler == nullptr) {
        return ::DefWindowProcW(page, message, wParam, lParam);
    }
    const auto data = static_cast<DWORD_PTR>(::GetWindowLongPtrW(page, kDataSlot));
    if (message == WM_NCDESTROY) {
        // The last message: nothing may reach the handler's pane after it cleared its records.
        ::SetWindowLongPtrW(page, kHandlerSlot, 0);
    }
    return handler(page, message, wParam, lParam, data);
}

bool IsPanePage(HWND page) {
    wchar_t name[32] = {};
    return page != nullptr && ::GetClassNameW(page, name, 32) > 0 && ::lstrcmpW(name, kPanePageClass) == 0;
}

}  // namespace

bool RegisterPanePageClass(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    if (::GetClassInfoExW(instance, kPanePageClass, &wc)) {
        return true;
    }
    wc.cbSize = sizeof(WNDCLASSEXW);
    wc.lpfnWndProc = PanePageProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPanePageClass;
    return ::RegisterClassExW(&wc) != 0;
}

bool SetPanePageHandler(HWND page, PanePageHandler handler, DWORD_PTR data) {
    if (!IsPanePage(page)) {
        return false;
    }
    ::SetWindowLongPtrW(page, kDataSlot, static_cast<LONG_PTR>(data));
    ::SetWindowLongPtrW(page, kHandlerSlot, reinterpret_cast<LONG_PTR>(handler));
    return true;
}

}  // namespace kelpo
