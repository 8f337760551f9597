// Entering and leaving full-screen mode.
#include "app/full_screen.h"

#include <windows.h>

#include "app/main_window_layout.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

void FocusActiveView() {
    if (const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr) {
        ::SetFocus(active->view->Window());
    }
}

void EnterFullScreen() {
    AppState& app = App();
    HWND window = app.mainWindow;
    DocumentTabs* tabs = Tabs();
    app.fullScreenPlacement.length = sizeof(WINDOWPLACEMENT);
    ::GetWindowPlacement(window, &app.fullScreenPlacement);
    if (tabs != nullptr) {
        app.shell.savedTabsPlacement.length = sizeof(WINDOWPLACEMENT);
        ::GetWindowPlacement(tabs->TabControl(), &app.shell.savedTabsPlacement);
    }
    app.fullScreen = true;  // from here on, size changes leave the layout alone
    for (HWND child : {app.shell.leftHost, app.shell.bottomHost, app.shell.rebar, app.shell.statusBar}) {
        if (child != nullptr) {
            ::ShowWindow(child, SW_HIDE);
        }
    }
    app.shell.savedMenu = ::GetMenu(window);
    ::SetMenu(window, nullptr);
    app.shell.savedStyle = ::GetWindowLongPtrW(window, GWL_STYLE);
    ::SetWindowLongPtrW(window, GWL_STYLE, WS_POPUP | (app.shell.savedStyle & WS_VISIBLE));

    MONITORINFO monitor{sizeof(MONITORINFO)};
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcMonitor;
    if (tabs != nullptr) {
        ::MoveWindow(tabs->TabControl(), 0, 0, area.right - area.left, area.bottom - area.top, TRUE);
    }
    ::SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    if (tabs != nullptr) {
        tabs->FitActiveView();
    }
}

}  // namespace

void LeaveFullScreen() {
    AppState& app = App();
    if (!app.fullScreen) {
        return;
    }
    HWND window = app.mainWindow;
    ::ShowWindow(window, SW_HIDE);
    app.fullScreen = false;
    ::SetWindowLongPtrW(window, GWL_STYLE, app.shell.savedStyle);
    ::SetMenu(window, app.shell.savedMenu);
    app.shell.savedMenu = nullptr;
    if (Tabs() != nullptr) {
        ::SetWindowPlacement(Tabs()->TabControl(), &app.shell.savedTabsPlacement);
    }
    ::SetWindowPlacement(window, &app.fullScreenPlacement);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ::ShowWindow(window, SW_SHOW);
    LayoutMainWindow();
    FocusActiveView();
}

void ToggleFullScreen() {
    if (App().fullScreen) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
        FocusActiveView();
    }
}

}  // namespace kelpo
