// Pane hosts and their pages. The pages' contents (explorer, symbols, snippets, output, results)
// are filled by their own parts; here each page is a window of the right title in its tab.
#include "app/pane_hosts.h"

#include <commctrl.h>

#include <array>

#include "aids/snippet_pane.h"
#include "app/command_icons.h"
#include "app/main_window_layout.h"
#include "app/rebar.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/pane_page.h"

namespace kelpo {
namespace {

constexpr int kSnippetPageIndex = 2;

struct PageInfo {
    const wchar_t* title;
    int icon;  // in the command icon strip
};

constexpr std::array<PageInfo, 4> kLeftPages = {
    {{L"Explorer", 17}, {L"Symbols", 18}, {L"Snippets", 19}, {L"Reference", 20}}};
constexpr std::array<PageInfo, 3> kBottomPages = {{{L"Output", 21}, {L"Find Results 1", 22}, {L"Find Results 2", 23}}};

// Both hosts show their tabs with the 16-pixel command icons.
HIMAGELIST PaneImages() {
    static unique_himagelist images = LoadCommandImageList(App().instance, 16);
    return images.get();
}

HWND HostOf(Pane pane) { return pane == Pane::Left ? App().shell.leftHost : App().shell.bottomHost; }

std::uint32_t PaneBit(Pane pane) { return pane == Pane::Left ? kC1LeftPane : kC1BottomPane; }

int TabShift(Pane pane) { return pane == Pane::Left ? kC1LeftTabShift : kC1BottomTabShift; }

bool ReferenceHelpPresent() {
    const std::wstring path = App().paths.folder + L"reference.chm";
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HWND CreateHost(HWND mainWindow, int id) {
    HWND host = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_FOCUSNEVER,
                                  0, 0, 0, 0, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  App().instance, nullptr);
    if (host != nullptr) {
        ::SendMessageW(host, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(PaneImages()));
        HFONT font = App().uiFont ? App().uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        ::SendMessageW(host, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return host;
}

void AddPage(HWND host, const PageInfo& info) {
    HWND page = ::CreateWindowExW(0, kPanePageClass, info.title, WS_CHILD, 0, 0, 0, 0, host, nullptr, App().instance,
                                  nullptr);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(info.title);
    item.iImage = info.icon;
    item.lParam = reinterpret_cast<LPARAM>(page);
    ::SendMessageW(host, TCM_INSERTITEMW, ::SendMessageW(host, TCM_GETITEMCOUNT, 0, 0),
                   reinterpret_cast<LPARAM>(&item));
}

HWND PageAt(HWND host, int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (index < 0 || !::SendMessageW(host, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(item.lParam);
}

void ShowOnlySelectedPage(HWND host) {
    const int selected = static_cast<int>(::SendMessageW(host, TCM_GETCURSEL, 0, 0));
    const int count = static_cast<int>(::SendMessageW(host, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        ::ShowWindow(PageAt(host, i), i == selected ? SW_SHOW : SW_HIDE);
    }
}

}  // namespace

bool CreatePaneHosts(HWND mainWindow) {
    AppState& app = App();
    if (!RegisterPanePageClass(app.instance)) {
        return false;
    }
    app.shell.bottomHost = CreateHost(mainWindow, kBottomHostId);
    app.shell.leftHost = CreateHost(mainWindow, kLeftHostId);
    if (app.shell.bottomHost == nullptr || app.shell.leftHost == nullptr) {
        return false;
    }
    const std::size_t leftCount = ReferenceHelpPresent() ? kLeftPages.size() : kLeftPages.size() - 1;
    for (std::size_t i = 0; i < leftCount; ++i) {
        AddPage(app.shell.leftHost, kLeftPages[i]);
    }
    for (const PageInfo& page : kBottomPages) {
        AddPage(app.shell.bottomHost, page);
    }
    return CreateSnippetPane(PageAt(app.shell.leftHost, kSnippetPageIndex));
}

HWND PanePage(Pane pane, int index) { return PageAt(HostOf(pane), index); }

void ShowPane(Pane pane, bool visible) {
    AppState& app = App();
    if (visible) {
        app.settings.config1 |= PaneBit(pane);
    } else {
        app.settings.config1 &= ~PaneBit(pane);
    }
    LayoutMainWindow();
}

void SelectPaneTab(Pane pane, int index, bool show) {
    HWND host = HostOf(pane);
    const int count = static_cast<int>(::SendMessageW(host, TCM_GETITEMCOUNT, 0, 0));
    if (index < 0 || index >= count) {
        return;
    }
    ::SendMessageW(host, TCM_SETCURSEL, index, 0);
    App().settings.config1 = SetBits(App().settings.config1, TabShift(pane), 3, static_cast<std::uint32_t>(index));
    ShowOnlySelectedPage(host);
    FitPanePage(pane);
    if (show) {
        ShowPane(pane, true);
    }
    UpdatePaneButtons();
}

void FitPanePage(Pane pane) {
    HWND host = HostOf(pane);
    HWND page = PageAt(host, static_cast<int>(::SendMessageW(host, TCM_GETCURSEL, 0, 0)));
    if (page == nullptr) {
        return;
    }
    RECT area;
    ::GetClientRect(host, &area);
    ::SendMessageW(host, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

bool OnPaneHostNotify(const NMHDR* header) {
    if (header->code != TCN_SELCHANGE) {
        return false;
    }
    const Pane pane = header->hwndFrom == App().shell.leftHost ? Pane::Left : Pane::Bottom;
    if (header->hwndFrom != App().shell.leftHost && header->hwndFrom != App().shell.bottomHost) {
        return false;
    }
    SelectPaneTab(pane, static_cast<int>(::SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)), false);
    return true;
}

}  // namespace kelpo
