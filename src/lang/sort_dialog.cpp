// The sort-lines dialog, built from an in-memory template: two direction radio buttons and four
// option check boxes mapped onto Config2 bits 16-20.
#include "lang/sort_dialog.h"

#include <array>
#include <cstdint>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/dialog_template.h"
#include "base/ini_file.h"

namespace kelpo {
namespace {

constexpr WORD kAscendingId = 1001;
constexpr WORD kDescendingId = 1002;
// The check boxes in the order of their option bits 2, 4, 8, 16.
constexpr std::array<WORD, 4> kOptionIds = {1003, 1004, 1005, 1006};
constexpr std::uint32_t kAscendingBit = 1;

DialogTemplate BuildTemplate() {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 118, L"Sort Lines");
    dialog.AddControl(L"Button", L"&Ascending", kAscendingId, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 10, 8,
                      80, 10);
    dialog.AddControl(L"Button", L"&Descending", kDescendingId, BS_AUTORADIOBUTTON, 96, 8, 80, 10);
    dialog.AddControl(L"Button", L"&Remove duplicate lines", kOptionIds[0], WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
                      10, 26, 166, 10);
    dialog.AddControl(L"Button", L"&Ignore case", kOptionIds[1], WS_TABSTOP | BS_AUTOCHECKBOX, 10, 40, 166, 10);
    dialog.AddControl(L"Button", L"Compare &numbers by value", kOptionIds[2], WS_TABSTOP | BS_AUTOCHECKBOX, 10, 54,
                      166, 10);
    dialog.AddControl(L"Button", L"Ignore &leading blanks", kOptionIds[3], WS_TABSTOP | BS_AUTOCHECKBOX, 10, 68,
                      166, 10);
    dialog.AddControl(L"Button", L"OK", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 72, 96, 50, 14);
    dialog.AddControl(L"Button", L"Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 128, 96, 50, 14);
    return dialog;
}

void ShowOptions(HWND dialog, std::uint32_t options) {
    ::CheckRadioButton(dialog, kAscendingId, kDescendingId,
                       (options & kAscendingBit) != 0 ? kAscendingId : kDescendingId);
    for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
        ::CheckDlgButton(dialog, kOptionIds[i], (options & (2u << i)) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
}

std::uint32_t ReadOptions(HWND dialog) {
    std::uint32_t options = ::IsDlgButtonChecked(dialog, kAscendingId) == BST_CHECKED ? kAscendingBit : 0;
    for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
        if (::IsDlgButtonChecked(dialog, kOptionIds[i]) == BST_CHECKED) {
            options |= 2u << i;
        }
    }
    return options;
}

void StoreOptions(std::uint32_t options) {
    AppState& app = App();
    app.settings.config2 = SetBits(app.settings.config2, kC2SortOptionsShift, 5, options);
    // A setting changed in a dialog is written at once, not only at exit.
    if (!app.paths.settingsFile.empty()) {
        IniFile(app.paths.settingsFile).WriteInt(L"Config2", static_cast<int>(app.settings.config2));
    }
}

INT_PTR CALLBACK SortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowOptions(dialog, GetBits(App().settings.config2, kC2SortOptionsShift, 5));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            StoreOptions(ReadOptions(dialog));
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

bool ShowSortDialog(HWND owner) {
    const DialogTemplate dialogTemplate = BuildTemplate();
    const HINSTANCE instance = App().instance != nullptr ? App().instance : ::GetModuleHandleW(nullptr);
    return ::DialogBoxIndirectParamW(instance, dialogTemplate.Get(), owner, SortDialogProc, 0) == IDOK;
}

}  // namespace kelpo
