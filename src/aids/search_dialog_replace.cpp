// Replace dialog commands in the active document, its selection or every open document.
#include "aids/search_dialog_replace.h"

#include <optional>

#include "aids/search_dialog_fields.h"
#include "aids/search_dialog_find.h"
#include "aids/search_dialog_templates.h"
#include "aids/search_options.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "base/ui_text.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo {
namespace {

// The count of the last Replace All, which colours the status line, and the line's format.
struct ReplaceStatus {
    int lastCount = 0;
    std::wstring format;
};
ReplaceStatus g_status;

// The component ignores changes to a read-only text, so replacing there would only count.
bool Writable(const EditorView& view) {
    if (view.Call(SCI_GETREADONLY) == 0) {
        return true;
    }
    ShowStatusMessage(L"The document is read-only: nothing is replaced in it.");
    return false;
}

void ReplaceNext(HWND dialog) {
    const std::optional<SearchRequest> request = TakeFindField(dialog);
    const std::optional<std::string> replacement = request ? TakeReplaceField(dialog) : std::nullopt;
    EditorView* view = ActiveDocumentView();
    if (!replacement || view == nullptr || !Writable(*view)) {
        return;
    }
    ShowStatusMessage(L"");
    if (!ReplaceAndFindNext(*view, *request, *replacement)) {
        ShowStatusMessage(UiText(kTextNotFoundForward));
    }
}

int ReplaceInScope(const SearchRequest& request, const std::string& replacement) {
    const auto scope = static_cast<std::uint32_t>(App().settings.searchFlags) & kSearchScopeMask;
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return 0;
    }
    if (scope != kSearchScopeAllDocuments) {
        EditorView* view = ActiveDocumentView();
        if (view == nullptr || !Writable(*view)) {
            return 0;
        }
        return ReplaceAll(*view, request, replacement, scope == kSearchScopeSelection);
    }
    LoadAllDocuments();  // tabs restored without their text read it now
    int count = 0;
    for (int index = 0; index < tabs->Count(); ++index) {
        EditorView& view = *tabs->At(index)->view;
        if (view.Call(SCI_GETREADONLY) == 0) {
            count += ReplaceAll(view, request, replacement, false);
        }
    }
    return count;
}

void ReplaceEverywhere(HWND dialog) {
    const std::optional<SearchRequest> request = TakeFindField(dialog);
    const std::optional<std::string> replacement = request ? TakeReplaceField(dialog) : std::nullopt;
    if (!replacement) {
        return;
    }
    ShowStatusMessage(L"");
    g_status.lastCount = ReplaceInScope(*request, *replacement);
    ::SetDlgItemTextW(dialog, kReplaceStatusId, FormatCount(g_status.format, g_status.lastCount).c_str());
    ::InvalidateRect(::GetDlgItem(dialog, kReplaceStatusId), nullptr, TRUE);
}

}  // namespace

std::wstring FormatCount(const std::wstring& format, int count) {
    std::wstring text = format;
    const std::size_t at = text.find(L"%d");
    if (at == std::wstring::npos) {
        return text + std::to_wstring(count);
    }
    return text.replace(at, 2, std::to_wstring(count));
}

void InitReplaceDialog(HWND dialog) {
    wchar_t format[256] = {};
    ::GetDlgItemTextW(dialog, kReplaceStatusId, format, 256);
    g_status.format = format;
    ::SetDlgItemTextW(dialog, kReplaceStatusId, L"");
}

bool HandleReplaceDialogCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        FindNextFromDialog(dialog);
        return true;
    case kReplaceId:
        ReplaceNext(dialog);
        return true;
    case kReplaceAllId:
        ReplaceEverywhere(dialog);
        return true;
    default:
        return false;
    }
}

INT_PTR ColorReplaceStatus(HWND dialog, HDC dc, HWND control) {
    if (control != ::GetDlgItem(dialog, kReplaceStatusId)) {
        return 0;
    }
    ::SetTextColor(dc, g_status.lastCount < 1 ? kNothingReplacedColor : kReplacedColor);
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace kelpo
