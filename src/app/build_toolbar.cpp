// Making the build toolbar and its configuration box.
#include "app/build_toolbar.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/command_icon_table.h"
#include "app/command_icons.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "build/build_command_ids.h"
#include "build/configuration_box.h"
#include "build/tarvik_settings.h"

namespace kelpo {
namespace {

unique_himagelist g_buttonImages;
unique_himagelist g_toolImages;

// The stop button is enabled while a build runs.
TBBUTTON Button(int command) {
    TBBUTTON button{};
    button.iBitmap = CommandIconIndex(command);
    button.idCommand = command;
    button.fsState = command == kCmdStopBuild ? 0 : TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    return button;
}

// A separator as wide as the box, which lies over it.
TBBUTTON BoxPlace(int width) {
    TBBUTTON place{};
    place.iBitmap = width;
    place.fsStyle = BTNS_SEP;
    return place;
}

}  // namespace

bool AddBuildToolbar(HWND rebar) {
    AppState& app = App();
    app.shell.buildToolbar = nullptr;
    app.shell.configurationBox = nullptr;
    if (!BuildEnginePresent(app.paths.folder)) {
        return false;
    }
    HWND toolbar = ::CreateWindowExW(
        0, TOOLBARCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
            CCS_NORESIZE | CCS_NOPARENTALIGN,
        0, 0, 0, 0, rebar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBuildToolbarId)), app.instance, nullptr);
    if (toolbar == nullptr) {
        return false;
    }
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const bool large = (app.settings.config1 & kC1LargeIcons) != 0;
    g_buttonImages = LoadCommandImageList(app.instance, large ? 24 : 16);
    g_toolImages = LoadToolImageList(app.instance);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_buttonImages.get()));
    ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, large ? MAKELPARAM(36, 36) : MAKELPARAM(24, 24));

    HFONT font = app.uiFont ? app.uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HWND box = CreateConfigurationBox(toolbar, font, g_toolImages.get(), InstalledTools(app.paths.folder),
                                      app.settings.buildToolId);
    if (box == nullptr) {
        ::DestroyWindow(toolbar);
        return false;
    }
    RECT boxRect{};
    ::GetWindowRect(box, &boxRect);
    const int boxWidth = boxRect.right - boxRect.left;
    const TBBUTTON buttons[] = {BoxPlace(boxWidth), Button(kCmdBuild), Button(kCmdRebuild), Button(kCmdClean),
                                Button(kCmdStopBuild)};
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    const DWORD buttonSize = static_cast<DWORD>(::SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    RECT field{};
    ::GetWindowRect(box, &field);
    const int boxHeight = field.bottom - field.top;
    const int top = std::max(0, (static_cast<int>(HIWORD(buttonSize)) - boxHeight) / 2);
    ::SetWindowPos(box, nullptr, 0, top, boxWidth, 300, SWP_NOZORDER | SWP_NOACTIVATE);

    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    const bool locked = (app.settings.config1 & kC1LockToolbars) != 0;
    band.fStyle = RBBS_CHILDEDGE | RBBS_FIXEDBMP | (locked ? RBBS_NOGRIPPER : RBBS_GRIPPERALWAYS) |
                  ((app.settings.config1 & kC1SecondToolbar) ? 0 : RBBS_HIDDEN);
    band.hwndChild = toolbar;
    // The whole bar is its least width, so the rebar moves it to a row of its own rather than cut
    // off its buttons in a narrow window.
    SIZE whole{};
    ::SendMessageW(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&whole));
    band.cxMinChild = std::max(boxWidth, static_cast<int>(whole.cx));
    band.cyMinChild = std::max(static_cast<int>(HIWORD(buttonSize)), boxHeight);
    band.cx = kBuildBandWidth;  // the last band of its row takes the rest of the row
    band.wID = kBuildBandId;
    if (::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) == 0) {
        ::DestroyWindow(toolbar);
        return false;
    }
    app.shell.buildToolbar = toolbar;
    app.shell.configurationBox = box;
    return true;
}

void StoreBuildToolId() {
    if (App().shell.configurationBox != nullptr) {
        App().settings.buildToolId = CurrentConfiguration();
    }
}

}  // namespace kelpo
