// Window-list dialog: a report list view over the documents in tab order, sorted by a clicked
// column, sized freely above 500 x 300 and placed where it was last closed (key WndPosWindows).
#include "doc/window_list_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/dialog_template.h"
#include "base/ini_file.h"
#include "base/settings_values.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/path_parts.h"
#include "doc/window_list_rows.h"

namespace kelpo {
namespace {

constexpr wchar_t kPlacementKey[] = L"WndPosWindows";
constexpr int kMinWidth = 500;
constexpr int kMinHeight = 300;
constexpr int kColumnSlack = 16;

constexpr const wchar_t* kColumnTitles[kWindowListColumnCount] = {L"#",     L"Name",  L"Path",    L"Type",
                                                                  L"Bytes", L"Lines", L"Modified"};
constexpr bool kColumnIsNumber[kWindowListColumnCount] = {true, false, false, false, true, true, false};

struct WindowListDialog {
    std::vector<WindowListRow> rows;
    std::vector<Document*> documents;  // parallel to rows
    int activeRow = -1;
    WindowListSort sort;
    Document* chosen = nullptr;
    HWND list = nullptr;
    // Distances that resizing keeps: the list's margins and the buttons' offsets from the lower right.
    RECT listMargins{};
    POINT okOffset{};
    POINT cancelOffset{};
};

WindowListDialog* StateOf(HWND dialog) {
    return reinterpret_cast<WindowListDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

int SystemCompareText(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                            static_cast<int>(b.size())) - CSTR_EQUAL;
}

std::uint64_t FileTimeNumber(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::wstring FormatFileTime(std::uint64_t number) {
    if (number == 0) {
        return {};
    }
    const FILETIME utc{static_cast<DWORD>(number), static_cast<DWORD>(number >> 32)};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &time)) {
        return {};
    }
    wchar_t date[64] = {};
    wchar_t clock[64] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 64);
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64);
    return std::wstring(date) + L" " + clock;
}

std::wstring CellText(const WindowListRow& row, int column) {
    switch (static_cast<WindowListColumn>(column)) {
    case WindowListColumn::Position:
        return std::to_wstring(row.position);
    case WindowListColumn::Name:
        return row.name;
    case WindowListColumn::Path:
        return row.path;
    case WindowListColumn::Extension:
        return row.extension;
    case WindowListColumn::Length:
        return std::to_wstring(row.length);
    case WindowListColumn::Lines:
        return std::to_wstring(row.lineCount);
    case WindowListColumn::FileTime:
        return FormatFileTime(row.fileTime);
    }
    return {};
}

void CollectDocuments(WindowListDialog& state) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return;
    }
    LoadAllDocuments();  // the rows show every text's length and lines
    const int count = tabs->Count();
    for (int i = 0; i < count; ++i) {
        Document* document = tabs->At(i);
        document->listPosition = i;
        WindowListRow row;
        row.position = i + 1;
        row.name = document->displayName;
        row.path = document->path;
        row.extension = std::wstring(ExtensionOfPath(document->path));
        row.length = static_cast<std::int64_t>(document->view->Call(SCI_GETLENGTH));
        row.lineCount = static_cast<std::int64_t>(document->view->Call(SCI_GETLINECOUNT));
        row.fileTime = FileTimeNumber(document->fileTime);
        state.rows.push_back(std::move(row));
        state.documents.push_back(document);
        if (document == tabs->Active()) {
            state.activeRow = i;
        }
    }
}

// The system's small icon of the file's type; a new document goes by its display name.
int SmallIconIndex(const Document& document, HIMAGELIST* systemList) {
    const std::wstring& name = document.HasPath() ? document.path : document.displayName;
    SHFILEINFOW info{};
    const DWORD_PTR list = ::SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                            SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    if (list == 0) {
        return -1;
    }
    *systemList = reinterpret_cast<HIMAGELIST>(list);
    return info.iIcon;
}

void AddColumns(HWND list) {
    for (int column = 0; column < kWindowListColumnCount; ++column) {
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvColumn.fmt = kColumnIsNumber[column] ? LVCFMT_RIGHT : LVCFMT_LEFT;
        lvColumn.pszText = const_cast<wchar_t*>(kColumnTitles[column]);
        lvColumn.iSubItem = column;
        lvColumn.cx = ListView_GetStringWidth(list, kColumnTitles[column]) + kColumnSlack;
        ListView_InsertColumn(list, column, &lvColumn);
    }
}

void WidenColumnForText(HWND list, int column, const std::wstring& text, int extra) {
    const int wanted = ListView_GetStringWidth(list, text.c_str()) + kColumnSlack + extra;
    if (wanted > ListView_GetColumnWidth(list, column)) {
        ListView_SetColumnWidth(list, column, wanted);
    }
}

void FillRows(WindowListDialog& state) {
    HWND list = state.list;
    HIMAGELIST systemList = nullptr;
    const int iconExtra = ::GetSystemMetrics(SM_CXSMICON) + 4;
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        const WindowListRow& row = state.rows[i];
        std::wstring text = CellText(row, 0);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        item.lParam = static_cast<LPARAM>(i);
        item.iImage = SmallIconIndex(*state.documents[i], &systemList);
        const int index = ListView_InsertItem(list, &item);
        if (index < 0) {
            continue;
        }
        WidenColumnForText(list, 0, text, iconExtra);
        for (int column = 1; column < kWindowListColumnCount; ++column) {
            std::wstring cell = CellText(row, column);
            ListView_SetItemText(list, index, column, cell.data());
            WidenColumnForText(list, column, cell, 0);
        }
    }
    if (systemList != nullptr) {
        ListView_SetImageList(list, systemList, LVSIL_SMALL);
    }
}

void SelectRow(HWND list, int row) {
    if (row < 0) {
        return;
    }
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = row;
    const int index = ListView_FindItem(list, -1, &find);
    if (index < 0) {
        return;
    }
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

void ShowSortArrow(HWND list, const WindowListSort& sort) {
    HWND header = ListView_GetHeader(list);
    for (int column = 0; column < kWindowListColumnCount; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (sort.IsSorted() && static_cast<int>(sort.Column()) == column) {
            item.fmt |= sort.Ascending() ? HDF_SORTUP : HDF_SORTDOWN;
        }
        Header_SetItem(header, column, &item);
    }
}

int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM context) {
    const auto& state = *reinterpret_cast<const WindowListDialog*>(context);
    return state.sort.Compare(state.rows[static_cast<std::size_t>(first)], state.rows[static_cast<std::size_t>(second)],
                              SystemCompareText);
}

void OnColumnClick(WindowListDialog& state, int column) {
    if (column < 0 || column >= kWindowListColumnCount) {
        return;
    }
    state.sort.Click(static_cast<WindowListColumn>(column));
    ListView_SortItems(state.list, CompareItems, reinterpret_cast<LPARAM>(&state));
    ShowSortArrow(state.list, state.sort);
}

// Placement ------------------------------------------------------------------------------------

MonitorQueries SystemMonitors() {
    MonitorQueries monitors;
    monitors.liesOnMonitor = [](const ScreenRect& rect) {
        const RECT r{rect.left, rect.top, rect.right, rect.bottom};
        return ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
    };
    monitors.nearestMonitorArea = [](const ScreenRect& rect) { return rect; };
    return monitors;
}

void RestorePlacement(HWND dialog) {
    const WindowPos pos = AcceptStoredWindowPos(IniFile(App().paths.settingsFile).ReadWindowPos(kPlacementKey),
                                                SystemMonitors());
    if (pos.rect.left == kWindowDefaultEdge) {
        return;  // nothing usable stored: the dialog stays centred on its owner
    }
    WINDOWPLACEMENT placement{sizeof(WINDOWPLACEMENT)};
    placement.rcNormalPosition = RECT{pos.rect.left, pos.rect.top, pos.rect.right, pos.rect.bottom};
    placement.showCmd = pos.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    ::SetWindowPlacement(dialog, &placement);
}

void StorePlacement(HWND dialog) {
    WINDOWPLACEMENT placement{sizeof(WINDOWPLACEMENT)};
    if (!::GetWindowPlacement(dialog, &placement)) {
        return;
    }
    const RECT& r = placement.rcNormalPosition;
    const int showCmd = placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    IniFile(App().paths.settingsFile).WriteWindowPos(kPlacementKey, WindowPos{{r.left, r.top, r.right, r.bottom}, showCmd});
}

// Layout ---------------------------------------------------------------------------------------

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void RememberLayout(HWND dialog, WindowListDialog& state) {
    RECT client;
    ::GetClientRect(dialog, &client);
    const RECT list = ChildRect(dialog, state.list);
    state.listMargins = RECT{list.left, list.top, client.right - list.right, client.bottom - list.bottom};
    const RECT ok = ChildRect(dialog, ::GetDlgItem(dialog, IDOK));
    const RECT cancel = ChildRect(dialog, ::GetDlgItem(dialog, IDCANCEL));
    state.okOffset = POINT{client.right - ok.left, client.bottom - ok.top};
    state.cancelOffset = POINT{client.right - cancel.left, client.bottom - cancel.top};
}

void KeepButtonOffset(HWND dialog, int id, POINT offset, const RECT& client) {
    ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, client.right - offset.x, client.bottom - offset.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnSize(HWND dialog, const WindowListDialog& state) {
    RECT client;
    ::GetClientRect(dialog, &client);
    const RECT& m = state.listMargins;
    ::SetWindowPos(state.list, nullptr, m.left, m.top, std::max<LONG>(0, client.right - m.left - m.right),
                   std::max<LONG>(0, client.bottom - m.top - m.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    KeepButtonOffset(dialog, IDOK, state.okOffset, client);
    KeepButtonOffset(dialog, IDCANCEL, state.cancelOffset, client);
    ::InvalidateRect(dialog, nullptr, TRUE);
}

// Messages -------------------------------------------------------------------------------------

void OnInitDialog(HWND dialog, WindowListDialog& state) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.list = ::GetDlgItem(dialog, kWindowListControlId);
    ListView_SetExtendedListViewStyle(state.list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    RememberLayout(dialog, state);
    AddColumns(state.list);
    CollectDocuments(state);
    FillRows(state);
    SelectRow(state.list, state.activeRow);
    RestorePlacement(dialog);
    ::SetFocus(state.list);
}

void Close(HWND dialog, int result) {
    StorePlacement(dialog);
    ::EndDialog(dialog, result);
}

void ChooseRow(HWND dialog, WindowListDialog& state, int index) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (index >= 0 && ListView_GetItem(state.list, &item)) {
        state.chosen = state.documents[static_cast<std::size_t>(item.lParam)];
    }
    Close(dialog, IDOK);
}

void OnNotify(HWND dialog, WindowListDialog& state, const NMHDR& header) {
    if (header.hwndFrom != state.list) {
        return;
    }
    if (header.code == LVN_COLUMNCLICK) {
        OnColumnClick(state, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    } else if (header.code == NM_DBLCLK) {
        const int index = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (index >= 0) {
            ChooseRow(dialog, state, index);
        }
    }
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<WindowListDialog*>(lParam));
        return FALSE;  // the focus is on the list already
    }
    WindowListDialog* state = StateOf(dialog);
    if (state == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_SIZE:
        OnSize(dialog, *state);
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = POINT{kMinWidth, kMinHeight};
        return TRUE;
    }
    case WM_NOTIFY:
        OnNotify(dialog, *state, *reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            ChooseRow(dialog, *state, ListView_GetNextItem(state->list, -1, LVNI_SELECTED));
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            Close(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK WindowListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleDialogMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // Out of memory while filling the list: the dialog closes rather than let the error escape.
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

DialogTemplate BuildTemplate() {
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER, 340, 200,
                          L"Windows");
    dialog.AddControl(WC_LISTVIEWW, L"", kWindowListControlId,
                      WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                      7, 7, 326, 164);
    dialog.AddControl(L"Button", L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 229, 179, 50, 14);
    dialog.AddControl(L"Button", L"Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 283, 179, 50, 14);
    return dialog;
}

}  // namespace

void ShowWindowListDialog(HWND owner) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return;
    }
    const DialogTemplate dialogTemplate = BuildTemplate();
    WindowListDialog state;
    HINSTANCE instance = App().instance != nullptr ? App().instance : ::GetModuleHandleW(nullptr);
    const INT_PTR result = ::DialogBoxIndirectParamW(instance, dialogTemplate.Get(), owner,
                                                     WindowListDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result == IDOK && state.chosen != nullptr) {
        const int index = tabs->IndexOf(state.chosen);
        if (index >= 0) {
            tabs->Activate(index, true);
        }
    }
}

}  // namespace kelpo
