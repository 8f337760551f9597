// The filter options dialog: page one chooses the open rule, page two edits the filter list.
#include "panes/explorer_filter_dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include <exception>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/dialog_template.h"
#include "base/ini_file.h"
#include "panes/explorer_pane.h"
#include "panes/explorer_rules.h"

namespace kelpo {
namespace {

constexpr int kExcludeMode = 101;
constexpr int kIncludeMode = 102;
constexpr int kExcludeField = 103;
constexpr int kIncludeField = 104;
constexpr int kFilterLinesField = 201;
constexpr std::uint32_t kIncludeModeBit = 1u << kC2ExplorerOptionsShift;

std::wstring FieldText(HWND dialog, int id) {
    HWND field = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void EnableFields(HWND page) {
    const bool include = ::IsDlgButtonChecked(page, kIncludeMode) == BST_CHECKED;
    ::EnableWindow(::GetDlgItem(page, kExcludeField), include ? FALSE : TRUE);
    ::EnableWindow(::GetDlgItem(page, kIncludeField), include ? TRUE : FALSE);
}

void InitOpenRulePage(HWND page) {
    const ExplorerOpenRule rule = ExplorerOpenRuleNow();
    ::CheckRadioButton(page, kExcludeMode, kIncludeMode, rule.mode == OpenMode::Include ? kIncludeMode : kExcludeMode);
    ::SetDlgItemTextW(page, kExcludeField, rule.excludePatterns.c_str());
    ::SetDlgItemTextW(page, kIncludeField, rule.includePatterns.c_str());
    EnableFields(page);
}

void AcceptOpenRulePage(HWND page) {
    ExplorerOpenRule rule;
    rule.mode = ::IsDlgButtonChecked(page, kIncludeMode) == BST_CHECKED ? OpenMode::Include : OpenMode::Exclude;
    rule.excludePatterns = TrimPatterns(FieldText(page, kExcludeField));
    rule.includePatterns = TrimPatterns(FieldText(page, kIncludeField));
    const IniFile ini(App().paths.settingsFile);
    ini.WriteText(L"ExcludeFilters", rule.excludePatterns.c_str());
    ini.WriteText(L"IncludeFilters", rule.includePatterns.c_str());
    std::uint32_t& config2 = App().settings.config2;
    config2 = rule.mode == OpenMode::Include ? (config2 | kIncludeModeBit) : (config2 & ~kIncludeModeBit);
    SetExplorerOpenRule(rule);
}

void InitFilterListPage(HWND page) {
    std::wstring text;
    for (const std::wstring& line : ExplorerFilterLines()) {
        text += line + L"\r\n";
    }
    ::SetDlgItemTextW(page, kFilterLinesField, text.c_str());
}

void AcceptFilterListPage(HWND page) {
    const std::vector<std::wstring> lines = FilterListLines(FieldText(page, kFilterLinesField));
    IniFile(App().paths.settingsFile).WriteList(L"Filter", &lines);
    SetExplorerFilterLines(lines);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG: {
            const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            ::SetWindowLongPtrW(page, DWLP_USER, sheetPage->lParam);
            sheetPage->lParam == 0 ? InitOpenRulePage(page) : InitFilterListPage(page);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kExcludeMode || LOWORD(wParam) == kIncludeMode) {
                EnableFields(page);
            }
            return FALSE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
                ::GetWindowLongPtrW(page, DWLP_USER) == 0 ? AcceptOpenRulePage(page) : AcceptFilterListPage(page);
                ::SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
}

constexpr DWORD kPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SHELLFONT;

DialogTemplate OpenRuleTemplate() {
    DialogTemplate t(kPageStyle, 240, 120, L"Opening Files");
    t.AddControl(L"BUTTON", L"&Exclude: these files go to the system, every other file opens here", kExcludeMode,
                 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 7, 7, 226, 12);
    t.AddControl(L"EDIT", L"", kExcludeField, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 19, 22, 214, 13);
    t.AddControl(L"BUTTON", L"&Include: only these files open here, every other file goes to the system",
                 kIncludeMode, BS_AUTORADIOBUTTON | WS_TABSTOP, 7, 44, 226, 12);
    t.AddControl(L"EDIT", L"", kIncludeField, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 19, 59, 214, 13);
    t.AddControl(L"STATIC", L"Patterns are separated by \";\", for example *.exe;*.bat.", 1100, 0, 7, 82, 226, 12);
    return t;
}

DialogTemplate FilterListTemplate() {
    DialogTemplate t(kPageStyle, 240, 120, L"Filter List");
    t.AddControl(L"STATIC", L"One filter per line: a description and its patterns, as in \"Sources (*.c;*.h)\".",
                 1200, 0, 7, 7, 226, 18);
    t.AddControl(L"EDIT", L"", kFilterLinesField,
                 ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 28, 226, 85);
    return t;
}

}  // namespace

void ShowExplorerFilterOptions(HWND owner) {
    const DialogTemplate templates[] = {OpenRuleTemplate(), FilterListTemplate()};
    PROPSHEETPAGEW pages[2] = {};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].hInstance = App().instance;
        pages[i].pResource = templates[i].Get();
        pages[i].pfnDlgProc = PageProc;
        pages[i].lParam = i;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(PROPSHEETHEADERW);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = App().instance;
    header.pszCaption = L"Filter Options";
    header.nPages = 2;
    header.ppsp = pages;
    ::PropertySheetW(&header);
}

}  // namespace kelpo
