// LayoutMainWindow and the splitters.
#include "app/main_window_layout.h"

#include "app/pane_hosts.h"
#include "app/status_bar.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

bool RebarShown(std::uint32_t config1) { return (config1 & (kC1MainToolbar | kC1SecondToolbar)) != 0; }

void Place(HDWP& positions, HWND window, const Box& box, bool visible) {
    if (window == nullptr || positions == nullptr) {
        return;
    }
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    positions = ::DeferWindowPos(positions, window, nullptr, box.x, box.y, box.width, box.height, flags);
}

}  // namespace

LayoutInput CurrentLayoutInput() {
    const AppState& app = App();
    LayoutInput in;
    RECT client{};
    ::GetClientRect(app.mainWindow, &client);
    in.width = client.right;
    in.height = client.bottom;
    const std::uint32_t config1 = app.settings.config1;
    in.statusShown = (config1 & kC1StatusBar) && app.shell.statusBar != nullptr;
    in.statusHeight = app.shell.statusHeight;
    in.rebarShown = RebarShown(config1) && app.shell.rebar != nullptr;
    if (in.rebarShown) {
        RECT rebar{};
        ::GetWindowRect(app.shell.rebar, &rebar);
        in.rebarHeight = rebar.bottom - rebar.top;
    }
    in.leftShown = (config1 & kC1LeftPane) && app.shell.leftHost != nullptr;
    in.leftWidth = app.settings.leftTabWidth;
    in.bottomShown = (config1 & kC1BottomPane) && app.shell.bottomHost != nullptr;
    in.bottomHeight = app.settings.bottomTabHeight;
    return in;
}

void LayoutMainWindow() {
    AppState& app = App();
    if (!app.created || app.fullScreen || ::IsIconic(app.mainWindow)) {
        return;
    }
    const LayoutInput in = CurrentLayoutInput();
    const LayoutResult out = ComputeLayout(in);
    if (in.statusShown) {
        SetStatusParts(in.width);
    }
    HDWP positions = ::BeginDeferWindowPos(5);
    Place(positions, app.shell.statusBar, out.status, in.statusShown);
    Place(positions, app.shell.rebar, out.rebar, in.rebarShown);
    Place(positions, app.shell.leftHost, out.left, in.leftShown);
    Place(positions, app.shell.bottomHost, out.bottom, in.bottomShown);
    if (DocumentTabs* tabs = Tabs()) {
        Place(positions, tabs->TabControl(), out.tabs, true);
    }
    if (positions != nullptr) {
        ::EndDeferWindowPos(positions);
    }
    if (in.leftShown) {
        FitPanePage(Pane::Left);
    }
    if (in.bottomShown) {
        FitPanePage(Pane::Bottom);
    }
    if (DocumentTabs* tabs = Tabs()) {
        tabs->FitActiveView();
    }
    ::InvalidateRect(app.mainWindow, nullptr, FALSE);
}

bool OnSplitterMouseMove(HWND window, int x, int y) {
    AppState& app = App();
    const LayoutInput in = CurrentLayoutInput();
    if (::GetCapture() != window || app.shell.dragSplitter == 0) {
        const Splitter hit = HitTestSplitter(in, x, y);
        if (hit == Splitter::None) {
            return false;
        }
        ::SetCursor(::LoadCursorW(nullptr, hit == Splitter::Left ? IDC_SIZEWE : IDC_SIZENS));
        return true;
    }
    if (app.shell.dragSplitter == 1) {
        const int width = DragLeftSplitter(in, x);
        if (width != app.settings.leftTabWidth) {
            app.settings.leftTabWidth = width;
            app.settings.config1 |= kC1LeftPane;
            ::PostMessageW(window, WM_SIZE, SIZE_RESTORED, 0);
        }
    } else {
        const int height = DragBottomSplitter(in, y);
        if (height != app.settings.bottomTabHeight) {
            app.settings.bottomTabHeight = height;
            app.settings.config1 |= kC1BottomPane;
            ::PostMessageW(window, WM_SIZE, SIZE_RESTORED, 0);
        }
    }
    return true;
}

bool OnSplitterButtonDown(HWND window, int x, int y) {
    const Splitter hit = HitTestSplitter(CurrentLayoutInput(), x, y);
    if (hit == Splitter::None) {
        return false;
    }
    ::SetCapture(window);
    ::SetCursor(::LoadCursorW(nullptr, hit == Splitter::Left ? IDC_SIZEWE : IDC_SIZENS));
    App().shell.dragSplitter = hit == Splitter::Left ? 1 : 2;
    return true;
}

bool OnSplitterButtonUp() {
    if (App().shell.dragSplitter == 0) {
        return false;
    }
    App().shell.dragSplitter = 0;
    ::ReleaseCapture();
    return true;
}

void PaintSplitterGaps(HDC dc) {
    RECT client;
    ::GetClientRect(App().mainWindow, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace kelpo
