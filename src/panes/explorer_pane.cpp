// The Explorer page: its controls, their layout and commands, and the explorer's settings keys.
#include "panes/explorer_pane.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <exception>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/ini_file.h"
#include "base/pane_page.h"
#include "doc/document_tabs.h"
#include "panes/explorer_filter_dialog.h"
#include "panes/explorer_toolbar.h"
#include "panes/favorites_menu.h"
#include "panes/folder_view.h"

namespace kelpo {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kDefaultPath[] = L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}}";
constexpr wchar_t kDefaultExclude[] = L"*.exe;*.bat;*.com";
constexpr wchar_t kDefaultInclude[] = L"*.txt;*.html;*.htm;*.css;*.js;*.cpp;*.c;*.h";
constexpr int kFilterBoxWidth = 260;
constexpr int kFilterBoxHeight = 300;
constexpr int kFilterBoxLeast = 80;
constexpr std::uint32_t kHideAddress = 1u << 12;
constexpr std::uint32_t kNoLabelTips = 1u << 13;
constexpr std::uint32_t kHideToolbar = 1u << 14;
constexpr std::uint32_t kIncludeMode = 1u << kC2ExplorerOptionsShift;


struct ExplorerState {
    HWND page = nullptr;
    HWND address = nullptr;
    HWND toolbar = nullptr;
    HWND filterBox = nullptr;
    std::vector<std::wstring> filterLines;
    ComPtr<CFolderView> browser;
    bool startBrowsed = false;  // the stored folder was browsed
};

ExplorerState& State() {
    static ExplorerState state;
    return state;
}

IniFile ExplorerIni() { return IniFile(App().paths.settingsFile); }

std::uint32_t Config2() { return App().settings.config2; }

HWND EditOf(HWND combo) {
    COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
    return combo != nullptr && ::GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ReadOr(const IniFile& ini, const wchar_t* key, const wchar_t* fallback) {
    std::wstring value = ini.ReadString(key);
    return value.empty() ? std::wstring(fallback) : value;
}

FolderViewOptions ReadOptions() {
    const IniFile ini = ExplorerIni();
    FolderViewOptions options;
    options.viewMode = static_cast<UINT>(ini.ReadInt(L"ViewMode", 4));
    options.viewFlags = static_cast<UINT>(ini.ReadInt(L"ViewFlags", 0));
    options.iconSize = ini.ReadInt(L"IconSize", 16);
    options.sortColumn = ParseSortColumn(ini.ReadString(L"SortColumn"));
    options.excludePatterns = ReadOr(ini, L"ExcludeFilters", kDefaultExclude);
    options.includePatterns = ReadOr(ini, L"IncludeFilters", kDefaultInclude);
    options.openMode = (Config2() & kIncludeMode) != 0 ? OpenMode::Include : OpenMode::Exclude;
    return options;
}

void ApplyLabelTips() {
    ExplorerState& state = State();
    HWND list = state.browser ? state.browser->ListWindow() : nullptr;
    if (list != nullptr) {
        const DWORD tips = (Config2() & kNoLabelTips) == 0 ? LVS_EX_LABELTIP : 0;
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_LABELTIP, tips);
    }
}

void Layout() {
    ExplorerState& state = State();
    RECT area{};
    ::GetClientRect(state.page, &area);
    const int width = area.right;
    int top = 0;
    const bool showAddress = (Config2() & kHideAddress) == 0;
    ::ShowWindow(state.address, showAddress ? SW_SHOW : SW_HIDE);
    if (showAddress) {
        RECT box{};
        ::GetWindowRect(state.address, &box);
        ::MoveWindow(state.address, 0, 0, width, kFilterBoxHeight, TRUE);
        top += box.bottom - box.top;
    }
    const bool showToolbar = (Config2() & kHideToolbar) == 0;
    ::ShowWindow(state.toolbar, showToolbar ? SW_SHOW : SW_HIDE);
    if (showToolbar) {
        const DWORD size = static_cast<DWORD>(::SendMessageW(state.toolbar, TB_GETBUTTONSIZE, 0, 0));
        RECT box{};
        ::GetWindowRect(state.filterBox, &box);
        const int height = std::max<int>(HIWORD(size), box.bottom - box.top) + 2;
        ::MoveWindow(state.toolbar, 0, top, width, height, TRUE);
        const int left = ExplorerButtonsRight(state.toolbar) + 2;
        ::MoveWindow(state.filterBox, left, 1, std::max(kFilterBoxLeast, width - left - 2), kFilterBoxHeight, TRUE);
        top += height;
    }
    if (state.browser) {
        state.browser->SetViewRect(RECT{0, top, width, std::max<int>(top, area.bottom)});
    }
}

// After every browse: the address shows the folder, the buttons follow what is possible there.
void OnBrowsed() {
    ExplorerState& state = State();
    CFolderView* browser = state.browser.Get();
    if (browser == nullptr || state.toolbar == nullptr) {
        return;
    }
    const NamedPath folder = browser->CurrentFolderNameAndPath();
    const std::wstring path = browser->CurrentFolder();
    if (browser->View() != nullptr && (!folder.path.empty() || !folder.name.empty())) {
        ::SetWindowTextW(state.address, !path.empty() ? path.c_str() : folder.name.c_str());
    }
    EnableExplorerButton(state.toolbar, kExplorerBack, !browser->BackRing().Empty());
    EnableExplorerButton(state.toolbar, kExplorerForward, !browser->ForwardRing().Empty());
    EnableExplorerButton(state.toolbar, kExplorerUp, browser->View() != nullptr && !browser->AtDesktop());
    EnableExplorerButton(state.toolbar, kExplorerNewFile, !path.empty());
    EnableExplorerButton(state.toolbar, kExplorerNewFolder, !path.empty());
    ApplyLabelTips();
    Layout();
}

void FillFilterBox(const std::wstring& keep) {
    ExplorerState& state = State();
    ::SendMessageW(state.filterBox, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& line : state.filterLines) {
        const std::wstring description = ParseFilterLine(line).description;
        ::SendMessageW(state.filterBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description.c_str()));
    }
    ::SetWindowTextW(state.filterBox, keep.c_str());
}

void SetFilter(const std::wstring& line, bool store) {
    ExplorerState& state = State();
    if (store) {
        ExplorerIni().WriteText(L"Filter", line.c_str());
    }
    if (state.browser) {
        state.browser->Options().filter = ParseFilterLine(line).patterns;
        state.browser->Refresh();
    }
}

// The stored filter, or the first line of the list when none is stored.
void RestoreFilter() {
    ExplorerState& state = State();
    std::wstring stored = ExplorerIni().ReadString(L"Filter");
    if (stored.empty() && !state.filterLines.empty()) {
        stored = state.filterLines.front();
    }
    FillFilterBox(L"");
    for (std::size_t i = 0; i < state.filterLines.size(); ++i) {
        if (state.filterLines[i] == stored) {
            ::SendMessageW(state.filterBox, CB_SETCURSEL, i, 0);
        }
    }
    if (::SendMessageW(state.filterBox, CB_GETCURSEL, 0, 0) == CB_ERR) {
        ::SetWindowTextW(state.filterBox, stored.c_str());
    }
    state.browser->Options().filter = ParseFilterLine(stored).patterns;
}

void OnFilterBox(int code) {
    ExplorerState& state = State();
    if (code == CBN_SELCHANGE) {
        const LRESULT index = ::SendMessageW(state.filterBox, CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < state.filterLines.size()) {
            SetFilter(state.filterLines[static_cast<std::size_t>(index)], true);
        }
    } else if (code == CBN_EDITCHANGE) {
        SetFilter(TextOf(state.filterBox), true);
    }
}

// The stored folder is browsed once the window shows, or first when something needs the folder
// sooner: the shell's view of a folder takes a good part of a start.
CFolderView* BrowsedView() {
    ExplorerState& state = State();
    if (state.browser && !state.startBrowsed) {
        state.startBrowsed = true;
        state.browser->BrowseToText(ReadOr(ExplorerIni(), L"Path", kDefaultPath));
        OnBrowsed();
    }
    return state.browser.Get();
}

void ShowHistoryMenu(bool back, const RECT& button) {
    CFolderView* browser = BrowsedView();
    const HistoryRing<unique_pidl>& ring = back ? browser->BackRing() : browser->ForwardRing();
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < ring.Size(); ++i) {
        const std::wstring text = CFolderView::AddressText(ring.At(i).get());
        ::AppendMenuW(menu, MF_STRING, i + 1, text.c_str());
    }
    const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left,
                                        button.bottom, 0, State().page, nullptr);
    ::DestroyMenu(menu);
    if (chosen > 0) {
        back ? browser->Back(static_cast<std::size_t>(chosen - 1)) : browser->Forward(static_cast<std::size_t>(chosen - 1));
    }
}

void FlipConfig2(std::uint32_t bit) { App().settings.config2 ^= bit; }

void RunViewSetting(int item) {
    ExplorerState& state = State();
    switch (item) {
    case kExplorerToggleAddress:
        FlipConfig2(kHideAddress);
        Layout();
        break;
    case kExplorerToggleToolbar:
        FlipConfig2(kHideToolbar);
        Layout();
        break;
    case kExplorerToggleLabelTips:
        FlipConfig2(kNoLabelTips);
        if ((Config2() & kNoLabelTips) == 0 && state.browser) {
            state.browser->Recreate();
        }
        ApplyLabelTips();
        Layout();
        break;
    case kExplorerCustomizeToolbar:
        ::SendMessageW(state.toolbar, TB_CUSTOMIZE, 0, 0);
        Layout();
        break;
    case kExplorerFilterOptions:
        ShowExplorerFilterOptions(state.page);
        break;
    default:
        break;
    }
}

void ShowViewMenu(const RECT& button) {
    const std::uint32_t config2 = Config2();
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    const bool vistaOrLater = App().osMajor >= 6;
    const bool detailsView = State().browser && State().browser->CurrentViewOptions().viewMode == FVM_DETAILS;
    auto checked = [&](std::uint32_t bit) { return (config2 & bit) == 0 ? MF_CHECKED : MF_UNCHECKED; };
    ::AppendMenuW(menu, MF_STRING | checked(kHideAddress), kExplorerToggleAddress, L"&Address Box");
    ::AppendMenuW(menu, MF_STRING | checked(kHideToolbar), kExplorerToggleToolbar, L"&Toolbar");
    ::AppendMenuW(menu, MF_STRING | checked(kNoLabelTips) | (vistaOrLater || detailsView ? 0 : MF_GRAYED),
                  kExplorerToggleLabelTips, L"&Label Tips");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kExplorerCustomizeToolbar, L"&Customise Toolbar...");
    ::AppendMenuW(menu, MF_STRING, kExplorerFilterOptions, L"&Filter Options...");
    const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left,
                                        button.bottom, 0, State().page, nullptr);
    ::DestroyMenu(menu);
    RunViewSetting(chosen);
}

LRESULT OnDropDown(const NMTOOLBARW& drop) {
    RECT button = drop.rcButton;
    ::MapWindowPoints(drop.hdr.hwndFrom, nullptr, reinterpret_cast<POINT*>(&button), 2);
    switch (drop.iItem) {
    case kExplorerBack:
    case kExplorerForward:
        ShowHistoryMenu(drop.iItem == kExplorerBack, button);
        return TBDDRET_DEFAULT;
    case kExplorerViewSettings:
        ShowViewMenu(button);
        return TBDDRET_DEFAULT;
    default:
        return TBDDRET_NODEFAULT;
    }
}

void RunCommand(int command) {
    CFolderView* browser = BrowsedView();
    if (browser == nullptr) {
        return;
    }
    switch (command) {
    case kExplorerBack:
        browser->Back();
        break;
    case kExplorerForward:
        browser->Forward();
        break;
    case kExplorerUp:
        browser->Up();
        break;
    case kExplorerNewFile:
        browser->NewFile();
        break;
    case kExplorerNewFolder:
        browser->NewFolder();
        break;
    case kExplorerDelete:
        browser->DeleteSelection();
        break;
    case kExplorerAddToFavorites:
        AddExplorerSelectionToFavorites();
        break;
    case kExplorerShowDocumentFolder:
        ShowFolderInExplorer(L"");
        break;
    default:
        break;
    }
}

bool OnNotify(const NMHDR* header, LRESULT& result) {
    ExplorerState& state = State();
    if (header->hwndFrom != state.toolbar) {
        return false;
    }
    if (header->code == TBN_DROPDOWN) {
        result = OnDropDown(*reinterpret_cast<const NMTOOLBARW*>(header));
        return true;
    }
    if (header->code == TBN_RESET) {
        ExplorerIni().DeleteKey(L"FilesToolbar");
    }
    const bool handled = OnExplorerToolbarNotify(header, result);
    if (header->code == TBN_TOOLBARCHANGE || header->code == TBN_RESET) {
        Layout();
    }
    return handled;
}

LRESULT PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
    try {
        switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kExplorerFilterId) {
                OnFilterBox(HIWORD(wParam));
            } else if (lParam == 0 || reinterpret_cast<HWND>(lParam) == State().toolbar) {
                RunCommand(LOWORD(wParam));
            }
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(reinterpret_cast<const NMHDR*>(lParam), result)) {
                return result;
            }
            break;
        }
        case WM_NCDESTROY: {
            ExplorerState& state = State();
            if (state.browser) {
                state.browser->Close();
            }
            state = ExplorerState();
            break;
        }
        default:
            break;
        }
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return 0;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

HWND CreateCombo(HWND parent, int id, DWORD style, int width) {
    HWND combo = ::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 0, 0, width,
                                   kFilterBoxHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   App().instance, nullptr);
    if (combo != nullptr) {
        HFONT font = App().uiFont ? App().uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return combo;
}

bool IsDefaultLayout(const std::wstring& layout) {
    return layout == L"10 11 12 | 13 14 15 16 18 17";
}

}  // namespace

bool CreateExplorerPane(HWND page) {
    ExplorerState& state = State();
    if (page == nullptr) {
        return false;
    }
    state.page = page;
    state.address = CreateCombo(page, kExplorerAddressId, CBS_DROPDOWN | CBS_AUTOHSCROLL, 100);
    state.toolbar = CreateExplorerToolbar(page, kExplorerToolbarId, ExplorerIni().ReadString(L"FilesToolbar"));
    if (state.address == nullptr || state.toolbar == nullptr) {
        return false;
    }
    state.filterBox = CreateCombo(state.toolbar, kExplorerFilterId, CBS_DROPDOWN | CBS_AUTOHSCROLL, kFilterBoxWidth);
    if (state.filterBox == nullptr || !SetPanePageHandler(page, PageProc)) {
        return false;
    }
    ::SHAutoComplete(EditOf(state.address), SHACF_FILESYSTEM);
    state.browser = CFolderView::Create(page, ReadOptions(), OnBrowsed);
    state.filterLines = ExplorerIni().ReadList(L"Filter");
    RestoreFilter();
    Layout();
    return true;
}

void BrowseExplorerStartFolder() { BrowsedView(); }

HWND ExplorerPage() { return State().page; }

void RunExplorerViewSetting(int item) { RunViewSetting(item); }

CFolderView* ExplorerFolderView() { return BrowsedView(); }

std::wstring ExplorerCurrentFolder() {
    CFolderView* browser = BrowsedView();
    return browser != nullptr ? browser->CurrentFolder() : std::wstring();
}

void ShowFolderInExplorer(const std::wstring& path) {
    CFolderView* browser = BrowsedView();
    if (browser == nullptr) {
        return;
    }
    std::wstring target = path;
    if (target.empty()) {
        const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
        if (active == nullptr || !active->HasPath()) {
            return;
        }
        target = active->path;
    }
    browser->BrowseToText(target);
}

void AddExplorerSelectionToFavorites() {
    CFolderView* browser = BrowsedView();
    if (browser == nullptr) {
        return;
    }
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (const NamedPath& item : browser->SelectedItems()) {
        entries.emplace_back(item.path, item.name);
    }
    if (entries.empty()) {
        const NamedPath folder = browser->CurrentFolderNameAndPath();
        if (!folder.path.empty()) {
            entries.emplace_back(folder.path, folder.name);
        }
    }
    AddFavoriteEntries(entries);
}

bool TranslateExplorerMessage(MSG& message) {
    ExplorerState& state = State();
    CFolderView* browser = state.browser.Get();
    if (browser == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd == EditOf(state.address)) {
        browser->BrowseToText(TextOf(state.address));
        return true;
    }
    HWND list = browser->ListWindow();
    if (list != nullptr && message.hwnd == list && message.message == WM_KEYDOWN) {
        const bool control = ::GetKeyState(VK_CONTROL) < 0;
        if (message.wParam == VK_BACK) {
            browser->Up();
            return true;
        }
        if (message.wParam == VK_F5) {
            browser->Refresh();
            return true;
        }
        if (control && message.wParam == VK_LEFT) {
            browser->Back();
            return true;
        }
        if (control && message.wParam == VK_RIGHT) {
            browser->Forward();
            return true;
        }
    }
    HWND view = browser->ViewWindow();
    if (view != nullptr && (message.hwnd == view || ::IsChild(view, message.hwnd)) && browser->View() != nullptr) {
        return browser->View()->TranslateAccelerator(&message) == S_OK;
    }
    return false;
}

ExplorerOpenRule ExplorerOpenRuleNow() {
    ExplorerOpenRule rule;
    if (CFolderView* browser = State().browser.Get()) {
        const FolderViewOptions& options = browser->Options();
        rule = {options.openMode, options.excludePatterns, options.includePatterns};
    }
    return rule;
}

void SetExplorerOpenRule(const ExplorerOpenRule& rule) {
    if (CFolderView* browser = State().browser.Get()) {
        FolderViewOptions& options = browser->Options();
        options.openMode = rule.mode;
        options.excludePatterns = rule.excludePatterns;
        options.includePatterns = rule.includePatterns;
    }
}

const std::vector<std::wstring>& ExplorerFilterLines() { return State().filterLines; }

void SetExplorerFilterLines(std::vector<std::wstring> lines) {
    ExplorerState& state = State();
    state.filterLines = std::move(lines);
    if (state.filterBox != nullptr) {
        FillFilterBox(TextOf(state.filterBox));
    }
}

void SaveExplorerPaneSettings() {
    ExplorerState& state = State();
    if (!state.browser || !state.startBrowsed) {
        return;  // never shown: the stored keys still hold
    }
    const IniFile ini = ExplorerIni();
    const FolderViewOptions current = state.browser->CurrentViewOptions();
    if (current.sortColumn) {
        ini.WriteText(L"SortColumn", FormatSortColumn(*current.sortColumn).c_str());
    }
    const NamedPath folder = state.browser->CurrentFolderNameAndPath();
    if (!folder.path.empty()) {
        ini.WriteText(L"Path", folder.path.c_str());
    }
    ini.WriteInt(L"ViewMode", static_cast<int>(current.viewMode));
    ini.WriteInt(L"ViewFlags", static_cast<int>(current.viewFlags));
    ini.WriteInt(L"IconSize", current.iconSize);
    const std::wstring layout = ExplorerToolbarLayout(state.toolbar);
    if (IsDefaultLayout(layout)) {
        ini.DeleteKey(L"FilesToolbar");
    } else {
        ini.WriteText(L"FilesToolbar", layout.c_str());
    }
}

}  // namespace kelpo
