// The go-to dialog, built in memory: two number fields, OK and Cancel.
#include "doc/go_to_dialog.h"

#include <algorithm>
#include <climits>

#include "base/dialog_template.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

DialogTemplate BuildTemplate() {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 150, 66, L"Go To");
    dialog.AddControl(L"Static", L"&Line:", 0xFFFF, SS_LEFT, 8, 10, 40, 8);
    dialog.AddControl(L"Edit", L"", kGoToLineField, WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL, 52, 8, 90,
                      12);
    dialog.AddControl(L"Static", L"&Column:", 0xFFFF, SS_LEFT, 8, 28, 40, 8);
    dialog.AddControl(L"Edit", L"", kGoToColumnField, WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL, 52, 26, 90,
                      12);
    dialog.AddControl(L"Button", L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 36, 46, 50, 14);
    dialog.AddControl(L"Button", L"Cancel", IDCANCEL, WS_TABSTOP, 92, 46, 50, 14);
    return dialog;
}

INT_PTR CALLBACK GoToProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* place = reinterpret_cast<LineColumn*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ::SetDlgItemInt(dialog, kGoToLineField, static_cast<UINT>(place->line), FALSE);
        ::SetDlgItemInt(dialog, kGoToColumnField, static_cast<UINT>(place->column), FALSE);
        ::SendDlgItemMessageW(dialog, kGoToLineField, EM_SETSEL, 0, -1);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* place = reinterpret_cast<LineColumn*>(::GetWindowLongPtrW(dialog, DWLP_USER));
            BOOL lineRead = FALSE;
            const UINT line = ::GetDlgItemInt(dialog, kGoToLineField, &lineRead, FALSE);
            if (!lineRead || line == 0) {
                ::MessageBeep(MB_ICONEXCLAMATION);
                ::SetFocus(::GetDlgItem(dialog, kGoToLineField));
                return TRUE;
            }
            const UINT column = ::GetDlgItemInt(dialog, kGoToColumnField, nullptr, FALSE);
            place->line = static_cast<int>(std::min<UINT>(line, INT_MAX));
            place->column = column == 0 ? 1 : static_cast<int>(std::min<UINT>(column, INT_MAX));
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

std::optional<LineColumn> AskLineColumn(HWND owner, LineColumn current) {
    const DialogTemplate dialog = BuildTemplate();
    const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner, GoToProc,
                                                     reinterpret_cast<LPARAM>(&current));
    if (result != IDOK) {
        return std::nullopt;
    }
    return current;
}

bool GoToWithDialog(HWND owner) {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr || !active->view) {
        return false;
    }
    const EditorView& view = *active->view;
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    LineColumn current;
    current.line = static_cast<int>(view.Call(SCI_LINEFROMPOSITION, caret)) + 1;
    current.column = static_cast<int>(view.Call(SCI_GETCOLUMN, caret)) + 1;
    const std::optional<LineColumn> chosen = AskLineColumn(owner, current);
    if (!chosen) {
        return false;
    }
    GoToLineColumn(active, chosen->line, chosen->column);
    return true;
}

}  // namespace kelpo
