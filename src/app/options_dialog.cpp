// The Options dialog: one in-memory dialog whose controls are grouped by page; choosing a page
// in the tree shows its group and hides the others.
#include "app/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "app/main_window_layout.h"
#include "app/options_values.h"
#include "app/shortcut_assignment.h"
#include "app/shortcut_keys_win.h"
#include "app/shortcuts.h"
#include "app/tray_icon.h"
#include "base/app_state.h"
#include "base/dialog_template.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "base/message_box.h"
#include "base/recent_lists.h"
#include "base/settings_values.h"
#include "doc/document_tabs.h"
#include "lang/editor_view.h"

namespace kelpo {
namespace {

// Control identifiers: the hundreds above 1000 tell the page (1000-1099 page 0, ...).
enum : WORD {
    kIdTree = 100,
    kIdMruSize = 1002,
    kIdMruSpin = 1003,
    kIdSeveralInstances = 1004,
    kIdSession = 1005,
    kIdNewFileAtStart = 1006,
    kIdTrayIcon = 1007,
    kIdTitleFileName = 1008,
    kIdCheckUpdates = 1009,
    kIdDoubleClickCloses = 1101,
    kIdMiddleClickCloses = 1102,
    kIdMultiline = 1103,
    kIdFixedWidth = 1104,
    kIdTabsBottom = 1105,
    kIdTipFullPath = 1106,
    kIdTabWidth = 1202,
    kIdTabWidthSpin = 1203,
    kIdIndentWidth = 1205,
    kIdIndentWidthSpin = 1206,
    kIdInsertSpaces = 1207,
    kIdShortcutList = 1301,
    kIdHotKey = 1303,
    kIdAssignKey = 1304,
    kIdResetShortcuts = 1305,
    kIdAuthor = 1402,
    kIdEmail = 1404,
    kIdCompany = 1406,
    kIdFirstPageControl = 1000,
};

constexpr int PageOfControl(int id) { return id / 100 - 10; }

OptionsPage& LastPageSlot() {
    static OptionsPage page = OptionsPage::General;
    return page;
}

struct DialogState {
    HMENU menu = nullptr;
    std::vector<MenuCommandItem> menuItems;
    std::vector<ShortcutEntry> rows;
    bool shortcutsChanged = false;
    HTREEITEM pageItems[kOptionsPageCount] = {};
};

const wchar_t* const kPageTitles[kOptionsPageCount] = {L"General", L"Document Tabs", L"Editing",
                                                       L"Keyboard Shortcuts", L"Template Values", L"File Explorer"};

bool ProgramIsInstalled() {
    const DWORD attributes = ::GetFileAttributesW((App().paths.folder + L"uninstall.exe").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void AddCheck(DialogTemplate& t, WORD id, const wchar_t* text, short y) {
    t.AddControl(L"BUTTON", text, id, BS_AUTOCHECKBOX | WS_TABSTOP, 110, y, 240, 10);
}

void AddLabel(DialogTemplate& t, WORD id, const wchar_t* text, short x, short y, short width) {
    t.AddControl(L"STATIC", text, id, SS_LEFT, x, y + 2, width, 10);
}

void AddNumber(DialogTemplate& t, WORD id, short x, short y) {
    t.AddControl(L"EDIT", L"", id, ES_NUMBER | WS_BORDER | WS_TABSTOP, x, y, 36, 12);
    t.AddControl(UPDOWN_CLASSW, L"", static_cast<WORD>(id + 1),
                 UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
}

DialogTemplate BuildOptionsTemplate() {
    DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 360, 222, L"Options");
    t.AddControl(WC_TREEVIEWW, L"", kIdTree,
                 WS_BORDER | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | TVS_DISABLEDRAGDROP, 7, 7, 94, 186);

    AddLabel(t, 1001, L"Length of the recent file and project lists (0-30):", 110, 8, 180);
    AddNumber(t, kIdMruSize, 292, 8);
    AddCheck(t, kIdSeveralInstances, L"Allow several instances of the program", 28);
    AddCheck(t, kIdSession, L"Save the open files at exit and reopen them at start", 42);
    AddCheck(t, kIdNewFileAtStart, L"Create an empty document when nothing was opened", 56);
    AddCheck(t, kIdTrayIcon, L"Show an icon in the notification area; minimising hides the window", 70);
    AddCheck(t, kIdTitleFileName, L"Show only the file name in the window title", 84);
    AddCheck(t, kIdCheckUpdates, L"Look for a new version at start", 98);

    AddCheck(t, kIdDoubleClickCloses, L"Double click on a tab closes it", 8);
    AddCheck(t, kIdMiddleClickCloses, L"Middle click on a tab closes it", 22);
    AddCheck(t, kIdMultiline, L"Tabs on several rows", 36);
    AddCheck(t, kIdFixedWidth, L"Tabs of fixed width", 50);
    AddCheck(t, kIdTabsBottom, L"Tabs below the text", 64);
    AddCheck(t, kIdTipFullPath, L"Tab tool tips show the full path", 78);

    AddLabel(t, 1201, L"Tab width (1-15):", 110, 8, 100);
    AddNumber(t, kIdTabWidth, 214, 8);
    AddLabel(t, 1204, L"Indentation width (0-15):", 110, 26, 100);
    AddNumber(t, kIdIndentWidth, 214, 26);
    AddCheck(t, kIdInsertSpaces, L"Insert spaces instead of tab characters", 46);

    t.AddControl(WC_LISTVIEWW, L"", kIdShortcutList,
                 WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 110, 7, 243, 150);
    AddLabel(t, 1302, L"Key:", 110, 162, 20);
    t.AddControl(HOTKEY_CLASSW, L"", kIdHotKey, WS_BORDER | WS_TABSTOP, 132, 162, 100, 12);
    t.AddControl(L"BUTTON", L"&Assign", kIdAssignKey, BS_PUSHBUTTON | WS_TABSTOP, 236, 161, 50, 14);
    t.AddControl(L"BUTTON", L"&Defaults...", kIdResetShortcuts, BS_PUSHBUTTON | WS_TABSTOP, 290, 161, 63, 14);

    AddLabel(t, 1401, L"Author:", 110, 8, 50);
    t.AddControl(L"EDIT", L"", kIdAuthor, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 162, 8, 190, 12);
    AddLabel(t, 1403, L"E-mail:", 110, 26, 50);
    t.AddControl(L"EDIT", L"", kIdEmail, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 162, 26, 190, 12);
    AddLabel(t, 1405, L"Company:", 110, 44, 50);
    t.AddControl(L"EDIT", L"", kIdCompany, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 162, 44, 190, 12);

    AddLabel(t, 1501, L"The file explorer's options are not available yet.", 110, 8, 240);

    t.AddControl(L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 246, 201, 50, 14);
    t.AddControl(L"BUTTON", L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 303, 201, 50, 14);
    return t;
}

void ShowPage(HWND dialog, int page) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (id >= kIdFirstPageControl && id < kIdFirstPageControl + 100 * kOptionsPageCount) {
            ::ShowWindow(child, PageOfControl(id) == page ? SW_SHOW : SW_HIDE);
        }
    }
}

void SetCheck(HWND dialog, int id, bool on) { ::CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetNumber(HWND dialog, int spinId, int low, int high, int value) {
    ::SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    ::SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, value);
}

// The number typed into the spin control's buddy edit; the callers bring it into range.
int Number(HWND dialog, int spinId) {
    BOOL read = FALSE;
    const UINT value = ::GetDlgItemInt(dialog, spinId - 1, &read, FALSE);
    return read ? static_cast<int>(std::min<UINT>(value, 0x7FFF)) : 0;
}

std::wstring ControlText(HWND dialog, int id) {
    const HWND control = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

const ShortcutEntry* RowOf(const DialogState& state, std::uint16_t command) {
    for (const ShortcutEntry& row : state.rows) {
        if (row.command == command) {
            return &row;
        }
    }
    return nullptr;
}

std::vector<std::uint16_t> MenuCommandIds(const std::vector<MenuCommandItem>& items) {
    std::vector<std::uint16_t> ids;
    ids.reserve(items.size());
    for (const MenuCommandItem& item : items) {
        ids.push_back(item.command);
    }
    return ids;
}

std::wstring CommandLabel(const DialogState& state, std::uint16_t command) {
    for (const MenuCommandItem& item : state.menuItems) {
        if (item.command == command) {
            return item.group + L" > " + item.label;
        }
    }
    return L"command " + std::to_wstring(command);
}

void FillShortcutList(HWND dialog, const DialogState& state) {
    const HWND list = ::GetDlgItem(dialog, kIdShortcutList);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const MenuCommandItem& item : state.menuItems) {
        std::wstring text = item.group + L" > " + item.label;
        LVITEMW row{};
        row.mask = LVIF_TEXT | LVIF_PARAM;
        row.iItem = index;
        row.pszText = text.data();
        row.lParam = item.command;
        index = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row))) + 1;
        const ShortcutEntry* entry = RowOf(state, item.command);
        std::wstring key = entry != nullptr && entry->key1 != 0 ? KeyName(entry->key1) : L"";
        LVITEMW keyCell{};
        keyCell.iSubItem = 1;
        keyCell.pszText = key.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, index - 1, reinterpret_cast<LPARAM>(&keyCell));
    }
}

int SelectedListItem(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::uint16_t CommandOfListItem(HWND list, int index) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::uint16_t>(item.lParam);
}

void ShowSelectedKey(HWND dialog, const DialogState& state) {
    const HWND list = ::GetDlgItem(dialog, kIdShortcutList);
    const int index = SelectedListItem(list);
    const ShortcutEntry* row = index >= 0 ? RowOf(state, CommandOfListItem(list, index)) : nullptr;
    ::SendDlgItemMessageW(dialog, kIdHotKey, HKM_SETHOTKEY, row != nullptr ? row->key1 : 0, 0);
}

void AssignSelectedKey(HWND dialog, DialogState& state) {
    const HWND list = ::GetDlgItem(dialog, kIdShortcutList);
    const int index = SelectedListItem(list);
    if (index < 0) {
        return;
    }
    const std::uint16_t command = CommandOfListItem(list, index);
    const auto key = static_cast<std::uint16_t>(::SendDlgItemMessageW(dialog, kIdHotKey, HKM_GETHOTKEY, 0, 0));
    const KeyAssignment result = AssignShortcutKey(state.rows, command, key);
    if (!result.taken) {
        const std::wstring keyName = KeyName(key);
        const std::wstring holder = CommandLabel(state, *result.conflictWith);
        ShowMessage(dialog, MB_OK | MB_ICONEXCLAMATION, L"%s is already the shortcut of \"%s\".", keyName.c_str(),
                    holder.c_str());
        ::SetFocus(::GetDlgItem(dialog, kIdHotKey));
        return;
    }
    state.shortcutsChanged = true;
    std::wstring text = key != 0 ? KeyName(key) : L"";
    LVITEMW keyCell{};
    keyCell.iSubItem = 1;
    keyCell.pszText = text.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&keyCell));
}

void ResetShortcuts(HWND dialog, DialogState& state) {
    if (ShowMessage(dialog, MB_OKCANCEL | MB_ICONQUESTION, L"Put every keyboard shortcut back to its default?") !=
        IDOK) {
        return;
    }
    AppState& app = App();
    SaveShortcuts(app, {});
    RebuildAccelerators(app);
    state.rows = ShortcutRowsForMenu(MenuCommandIds(state.menuItems), CurrentShortcuts());
    state.shortcutsChanged = false;
    FillShortcutList(dialog, state);
    ShowSelectedKey(dialog, state);
}

void InitShortcutPage(HWND dialog, DialogState& state) {
    const HWND list = ::GetDlgItem(dialog, kIdShortcutList);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT box;
    ::GetClientRect(list, &box);
    const int keyWidth = (box.right - box.left) / 3;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = box.right - box.left - keyWidth - ::GetSystemMetrics(SM_CXVSCROLL);
    column.pszText = const_cast<wchar_t*>(L"Command");
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = keyWidth;
    column.pszText = const_cast<wchar_t*>(L"Key");
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    state.menuItems = ListMenuCommands(state.menu);
    state.rows = ShortcutRowsForMenu(MenuCommandIds(state.menuItems), CurrentShortcuts());
    FillShortcutList(dialog, state);
}

void InitPages(HWND dialog, DialogState& state) {
    const AppState& app = App();
    const OptionWords words{app.settings.config1, app.settings.config2};
    const GeneralOptions general = ReadGeneralOptions(words, app.settings.mruSize);
    SetNumber(dialog, kIdMruSpin, 0, 30, general.mruSize);
    SetCheck(dialog, kIdSeveralInstances, general.severalInstances);
    SetCheck(dialog, kIdSession, general.session);
    SetCheck(dialog, kIdNewFileAtStart, general.newFileAtStart);
    SetCheck(dialog, kIdTrayIcon, general.trayIcon);
    SetCheck(dialog, kIdTitleFileName, general.titleFileNameOnly);
    SetCheck(dialog, kIdCheckUpdates, general.checkUpdates);
    ::EnableWindow(::GetDlgItem(dialog, kIdCheckUpdates), ProgramIsInstalled());

    const TabOptions tabs = ReadTabOptions(words);
    SetCheck(dialog, kIdDoubleClickCloses, tabs.doubleClickCloses);
    SetCheck(dialog, kIdMiddleClickCloses, tabs.middleClickCloses);
    SetCheck(dialog, kIdMultiline, tabs.multiline);
    SetCheck(dialog, kIdFixedWidth, tabs.fixedWidth);
    SetCheck(dialog, kIdTabsBottom, tabs.bottom);
    SetCheck(dialog, kIdTipFullPath, tabs.tipFullPath);

    const EditingOptions editing = ReadEditingOptions(words);
    SetNumber(dialog, kIdTabWidthSpin, 1, 15, editing.tabWidth);
    SetNumber(dialog, kIdIndentWidthSpin, 0, 15, editing.indentWidth);
    SetCheck(dialog, kIdInsertSpaces, editing.insertSpaces);

    ::SetDlgItemTextW(dialog, kIdAuthor, app.settings.author.c_str());
    ::SetDlgItemTextW(dialog, kIdEmail, app.settings.email.c_str());
    ::SetDlgItemTextW(dialog, kIdCompany, app.settings.company.c_str());

    InitShortcutPage(dialog, state);
}

void InitTree(HWND dialog, DialogState& state) {
    const HWND tree = ::GetDlgItem(dialog, kIdTree);
    for (int page = 0; page < kOptionsPageCount; ++page) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        insert.item.pszText = const_cast<wchar_t*>(kPageTitles[page]);
        insert.item.lParam = page;
        // The explorer page is shown greyed and cannot be chosen until its pane exists.
        if (page == static_cast<int>(OptionsPage::FileExplorer)) {
            insert.item.state = TVIS_CUT;
            insert.item.stateMask = TVIS_CUT;
        }
        state.pageItems[page] = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    const int page = static_cast<int>(LastOptionsPage());
    ShowPage(dialog, page);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(state.pageItems[page]));
}

void ApplyTabStyle(std::uint32_t config2) {
    const HWND tabs = Tabs() != nullptr ? Tabs()->TabControl() : nullptr;
    if (tabs == nullptr) {
        return;
    }
    LONG_PTR style = ::GetWindowLongPtrW(tabs, GWL_STYLE) & ~static_cast<LONG_PTR>(TCS_MULTILINE | TCS_FIXEDWIDTH | TCS_BOTTOM);
    if (config2 & kC2TabsMultiline) style |= TCS_MULTILINE;
    if (config2 & kC2TabsFixedWidth) style |= TCS_FIXEDWIDTH;
    if (config2 & kC2TabsBottom) style |= TCS_BOTTOM;
    ::SetWindowLongPtrW(tabs, GWL_STYLE, style);
    ::SetWindowPos(tabs, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void ApplyEditingToActiveView(std::uint32_t config2) {
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr || !active->view) {
        return;
    }
    active->view->Call(SCI_SETTABWIDTH, static_cast<uptr_t>(TabWidthOf(config2)));
    active->view->Call(SCI_SETINDENT, static_cast<uptr_t>(IndentWidthOf(config2)));
    active->view->Call(SCI_SETUSETABS, (config2 & kC2UseTabs) != 0);
}

void ApplyPages(HWND dialog, DialogState& state) {
    AppState& app = App();
    GeneralOptions general;
    general.severalInstances = Checked(dialog, kIdSeveralInstances);
    general.session = Checked(dialog, kIdSession);
    general.newFileAtStart = Checked(dialog, kIdNewFileAtStart);
    general.trayIcon = Checked(dialog, kIdTrayIcon);
    general.titleFileNameOnly = Checked(dialog, kIdTitleFileName);
    general.checkUpdates = Checked(dialog, kIdCheckUpdates);
    TabOptions tabs;
    tabs.doubleClickCloses = Checked(dialog, kIdDoubleClickCloses);
    tabs.middleClickCloses = Checked(dialog, kIdMiddleClickCloses);
    tabs.multiline = Checked(dialog, kIdMultiline);
    tabs.fixedWidth = Checked(dialog, kIdFixedWidth);
    tabs.bottom = Checked(dialog, kIdTabsBottom);
    tabs.tipFullPath = Checked(dialog, kIdTipFullPath);
    EditingOptions editing;
    editing.tabWidth = Number(dialog, kIdTabWidthSpin);
    editing.indentWidth = Number(dialog, kIdIndentWidthSpin);
    editing.insertSpaces = Checked(dialog, kIdInsertSpaces);

    OptionWords words{app.settings.config1, app.settings.config2};
    words = ApplyEditingOptions(ApplyTabOptions(ApplyGeneralOptions(words, general), tabs), editing);
    app.settings.config1 = words.config1;
    app.settings.config2 = words.config2;

    IniFile settingsFile(app.paths.settingsFile);
    settingsFile.EnsureUnicodeFile();
    // A dialog's changes are written at once, not only at exit.
    settingsFile.WriteInt(L"Config1", static_cast<int>(words.config1));
    settingsFile.WriteInt(L"Config2", static_cast<int>(words.config2));

    const int mruSize = ClampMruSize(Number(dialog, kIdMruSpin));
    if (mruSize != app.settings.mruSize) {
        SetMruSize(app, mruSize);
    }
    if (app.mainWindow != nullptr) {
        RemoveTrayIcon(app.mainWindow);
        if (words.config1 & kC1TrayIcon) {
            AddTrayIcon(app.mainWindow);
        }
    }
    ApplyTabStyle(words.config2);
    LayoutMainWindow();
    ApplyEditingToActiveView(words.config2);

    app.settings.author = ControlText(dialog, kIdAuthor);
    app.settings.email = ControlText(dialog, kIdEmail);
    app.settings.company = ControlText(dialog, kIdCompany);
    settingsFile.WriteText(L"author", app.settings.author.c_str());
    settingsFile.WriteText(L"email", app.settings.email.c_str());
    settingsFile.WriteText(L"company", app.settings.company.c_str());

    if (state.shortcutsChanged) {
        SaveShortcuts(app, state.rows);
        RebuildAccelerators(app);
    }
}

bool OnNotify(HWND dialog, DialogState& state, const NMHDR& header) {
    if (header.idFrom == kIdTree && header.code == TVN_SELCHANGINGW) {
        const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
        const bool refused = change.itemNew.lParam == static_cast<LPARAM>(OptionsPage::FileExplorer);
        ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, refused ? TRUE : FALSE);
        return true;
    }
    if (header.idFrom == kIdTree && header.code == TVN_SELCHANGEDW) {
        const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
        const int page = static_cast<int>(change.itemNew.lParam);
        SetLastOptionsPage(static_cast<OptionsPage>(page));
        ShowPage(dialog, page);
        return true;
    }
    if (header.idFrom == kIdShortcutList && header.code == LVN_ITEMCHANGED) {
        ShowSelectedKey(dialog, state);
        return true;
    }
    if (header.idFrom == kIdShortcutList && header.code == NM_DBLCLK) {
        ::SetFocus(::GetDlgItem(dialog, kIdHotKey));
        return true;
    }
    return false;
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<DialogState*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitPages(dialog, *state);
        InitTree(dialog, *state);
        return TRUE;
    case WM_NOTIFY:
        return state != nullptr && OnNotify(dialog, *state, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (state == nullptr) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
        case kIdAssignKey:
            AssignSelectedKey(dialog, *state);
            return TRUE;
        case kIdResetShortcuts:
            ResetShortcuts(dialog, *state);
            return TRUE;
        case IDOK:
            ApplyPages(dialog, *state);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

OptionsPage LastOptionsPage() { return LastPageSlot(); }

void SetLastOptionsPage(OptionsPage page) {
    if (page != OptionsPage::FileExplorer && static_cast<int>(page) >= 0 &&
        static_cast<int>(page) < kOptionsPageCount) {
        LastPageSlot() = page;
    }
}

void ShowOptionsDialog(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&controls);
    DialogState state;
    state.menu = owner != nullptr ? ::GetMenu(owner) : nullptr;
    // Without a window menu (full screen keeps it aside) the list still shows every command.
    unique_hmenu ownMenu(state.menu == nullptr ? BuildMainMenu() : nullptr);
    if (state.menu == nullptr) {
        state.menu = ownMenu.get();
    }
    const DialogTemplate dialogTemplate = BuildOptionsTemplate();
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate.Get(), owner, OptionsProc,
                              reinterpret_cast<LPARAM>(&state));
}

}  // namespace kelpo
