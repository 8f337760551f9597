// The usage dialog (command-line help) and the about box.
#include "app/dialogs.h"

#include "app/command_line.h"
#include "base/app_state.h"
#include "base/message_box.h"
#include "base/resource_ids.h"

namespace kelpo {
namespace {

INT_PTR CALLBACK UsageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ::SendDlgItemMessageW(dialog, IDC_USAGE_TEXT, WM_SETFONT,
                              reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), FALSE);
        ::SetDlgItemTextW(dialog, IDC_USAGE_TEXT, kUsageText);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowUsageDialog(HWND owner) {
    ::DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_USAGE), owner, UsageDialogProc, 0);
}

void ShowAboutDialog(HWND owner) {
    ShowMessage(owner, MB_OK | MB_ICONINFORMATION, L"Kelpo %s\r\nA source-code editor with a C/C++ build front end.",
                L"0.1.0");
}

}  // namespace kelpo
