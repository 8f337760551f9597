// The table is a list view filled by one ctags run in ctags's order; the filter field selects the
// first row whose name starts with what was typed.
#include "aids/go_to_symbol_dialog.h"

#include <commctrl.h>

#include <exception>
#include <string>
#include <utility>

#include "aids/symbol_pane.h"
#include "aids/tag_runner.h"
#include "base/dialog_template.h"
#include "base/status_message.h"
#include "base/text_convert.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr UINT kRunHookMessage = WM_APP + 1;

GoToSymbolDialogHook& Hook() {
    static GoToSymbolDialogHook hook;
    return hook;
}

struct DialogInput {
    const Document* document;
    HIMAGELIST images;
};

// The receiver of the run: one row per symbol, its line in the row's value.
class SymbolTable : public TagSink {
public:
    explicit SymbolTable(HWND list) : list_(list) {}

    void Receive(const Symbol& symbol) override {
        std::wstring name = AnsiToWide(symbol.name);
        LVITEMW row{};
        row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        row.iItem = static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
        row.pszText = name.data();
        row.iImage = KindImage(symbol.kind);
        row.lParam = static_cast<LPARAM>(symbol.line);
        const int index = static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
        if (index < 0) return;
        std::wstring scope = symbol.scope ? AnsiToWide(*symbol.scope) : std::wstring();
        SetCell(index, 1, scope);
        SetCell(index, 2, std::to_wstring(symbol.line));
    }

private:
    void SetCell(int index, int column, std::wstring text) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text.data();
        ::SendMessageW(list_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
    }

    HWND list_;
};

DialogTemplate BuildTemplate() {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 260, 200, L"Go to Symbol");
    dialog.AddControl(L"Edit", L"", kSymbolFilterField, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 7, 246, 12);
    dialog.AddControl(WC_LISTVIEWW, L"", kSymbolTable,
                      WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                      7, 24, 246, 148);
    dialog.AddControl(L"Button", L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 149, 179, 50, 14);
    dialog.AddControl(L"Button", L"Cancel", IDCANCEL, WS_TABSTOP, 203, 179, 50, 14);
    return dialog;
}

void AddColumns(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const int nameWidth = client.right * 40 / 100;
    const int widths[] = {nameWidth, nameWidth, client.right - 2 * nameWidth};
    const wchar_t* titles[] = {L"Name", L"Scope", L"Line"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = widths[i];
        column.pszText = const_cast<wchar_t*>(titles[i]);
        column.iSubItem = i;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SelectRow(HWND list, int index) {
    if (index < 0) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
}

void OnFilterChanged(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, kSymbolTable);
    const int length = ::GetWindowTextLengthW(::GetDlgItem(dialog, kSymbolFilterField));
    std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetDlgItemTextW(dialog, kSymbolFilterField, typed.data(), length + 1);
    typed.resize(static_cast<std::size_t>(length));
    if (typed.empty()) return;
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = typed.c_str();
    SelectRow(list, static_cast<int>(::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(&find))));
}

// The line of the selected row, or -1 without one.
INT_PTR SelectedLine(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, kSymbolTable);
    const int index = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0) return -1;
    LVITEMW row{};
    row.mask = LVIF_PARAM;
    row.iItem = index;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row));
    return row.lParam;
}

void OnInitDialog(HWND dialog, const DialogInput& input) {
    HWND list = ::GetDlgItem(dialog, kSymbolTable);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(input.images));
    AddColumns(list);
    SymbolTable table(list);
    if (!RunTags(input.document->path, input.document->view ? input.document->view->LanguageId() : 0, table)) {
        ShowStatusMessage(L"Failure to parse.");
    }
    SelectRow(list, 0);
    if (Hook()) ::PostMessageW(dialog, kRunHookMessage, 0, 0);
}

INT_PTR CALLBACK GoToSymbolProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        try {
            OnInitDialog(dialog, *reinterpret_cast<const DialogInput*>(lParam));
        } catch (const std::exception&) {
            ::EndDialog(dialog, -1);
        }
        return TRUE;  // the filter field, first in the tab order, takes the focus
    case kRunHookMessage:
        if (Hook()) Hook()(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kSymbolFilterField:
            if (HIWORD(wParam) == EN_CHANGE) OnFilterChanged(dialog);
            return TRUE;
        case IDOK:
            ::EndDialog(dialog, SelectedLine(dialog));
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, -1);
            return TRUE;
        default:
            break;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kSymbolTable && header->code == NM_DBLCLK &&
            reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) {
            ::EndDialog(dialog, SelectedLine(dialog));
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return FALSE;
}

}  // namespace

void SetGoToSymbolDialogHook(GoToSymbolDialogHook hook) { Hook() = std::move(hook); }

int AskSymbolLine(HWND owner, const Document& document) {
    const DialogTemplate dialog = BuildTemplate();
    // The same pictures as the pane's trees.
    DialogInput input{&document, SymbolImages()};
    const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner,
                                                     GoToSymbolProc, reinterpret_cast<LPARAM>(&input));
    return result > 0 ? static_cast<int>(result) : -1;
}

bool GoToSymbolWithDialog(HWND owner) {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr || !active->HasPath()) return false;
    const int line = AskSymbolLine(owner, *active);
    if (line > 0) {
        GoToLineColumn(active, line, 1);
        ::SetFocus(active->view->Window());
    }
    return true;
}

}  // namespace kelpo
