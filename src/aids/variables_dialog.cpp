// Variables dialog from an in-memory template. The preview uses the active document's path, or a
// sample path when there is none or it is untitled.
#include "aids/variables_dialog.h"

#include <array>
#include <string>

#include "aids/variables_context.h"
#include "aids/variables_lookup.h"
#include "base/app_state.h"
#include "base/dialog_template.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "base/text_convert.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr int kReadChars = 260;
constexpr int kSavedChars = 128;
constexpr wchar_t kSamplePath[] = L"d:\\demo\\foo.cpp";

struct UserField {
    int id;
    const wchar_t* key;
    std::wstring Settings::*value;
};

constexpr std::array<UserField, 3> kFields = {{
    {kVariablesAuthorId, L"author", &Settings::author},
    {kVariablesEmailId, L"email", &Settings::email},
    {kVariablesCompanyId, L"company", &Settings::company},
}};

DialogTemplate BuildTemplate() {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 250, L"Variables");
    const std::array<const wchar_t*, 3> labels = {L"&Author:", L"&E-mail:", L"&Company:"};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const auto y = static_cast<short>(8 + 16 * i);
        dialog.AddControl(L"Static", labels[i], 0xFFFF, SS_LEFT, 8, static_cast<short>(y + 2), 50, 10);
        dialog.AddControl(L"Edit", L"", static_cast<WORD>(kFields[i].id), WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                          60, y, 232, 12);
    }
    dialog.AddControl(L"Edit", L"", kVariablesPreviewId,
                      WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                          ES_AUTOHSCROLL,
                      8, 58, 284, 164);
    dialog.AddControl(L"Button", L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 186, 230, 50, 14);
    dialog.AddControl(L"Button", L"Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 242, 230, 50, 14);
    return dialog;
}

std::wstring PreviewPath() {
    const DocumentTabs* tabs = Tabs();
    const Document* document = tabs != nullptr ? tabs->Active() : nullptr;
    return document != nullptr && document->HasPath() ? document->path : std::wstring(kSamplePath);
}

std::wstring FieldText(HWND dialog, int id) {
    std::wstring text(kSavedChars + 1, L'\0');
    const int length = ::GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void OnInit(HWND dialog) {
    const IniFile ini(App().paths.settingsFile);
    for (const UserField& field : kFields) {
        std::wstring value;
        ini.ReadText(field.key, value, kReadChars);
        ::SetDlgItemTextW(dialog, field.id, value.c_str());
    }
    ::SendDlgItemMessageW(dialog, kVariablesPreviewId, WM_SETFONT,
                          reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), FALSE);
    const std::string preview = VariablePreview(WideToUtf8(PreviewPath()), CurrentLocalTime());
    ::SetDlgItemTextW(dialog, kVariablesPreviewId, Utf8ToWide(preview).c_str());
}

void OnOk(HWND dialog) {
    AppState& app = App();
    const IniFile ini(app.paths.settingsFile);
    for (const UserField& field : kFields) {
        std::wstring value = FieldText(dialog, field.id);
        ini.WriteText(field.key, value.empty() ? nullptr : value.c_str());
        app.settings.*field.value = std::move(value);
    }
}

INT_PTR CALLBACK VariablesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        if (message == WM_INITDIALOG) {
            OnInit(dialog);
            return TRUE;
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            if (LOWORD(wParam) == IDOK) {
                OnOk(dialog);
            }
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
    } catch (const std::exception&) {
        // Out of memory: the dialog stays as it is.
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowVariablesDialog(HWND owner) {
    const DialogTemplate dialog = BuildTemplate();
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner, VariablesProc, 0);
}

}  // namespace kelpo
