// Option controls, history fields and field texts of the search dialogs.
#include "aids/search_dialog_fields.h"

#include <array>

#include "aids/search_commands.h"
#include "aids/search_dialog_templates.h"
#include "aids/search_options.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "base/text_convert.h"
#include "doc/document_tabs.h"
#include "lang/selection_text.h"

namespace kelpo {
namespace {

struct OptionBox {
    int id;
    std::uint32_t bit;
};

constexpr std::array<OptionBox, 6> kOptionBoxes = {{
    {kMatchCaseBoxId, kSearchMatchCase},
    {kWholeWordBoxId, kSearchWholeWord},
    {kRegexBoxId, kSearchRegex},
    {kEscapesBoxId, kSearchEscapes},
    {kWrapBoxId, kSearchWrap},
    {kSubfoldersBoxId, kSearchSubfolders},
}};

// Radio buttons that together choose one value of a group of bits; the first stands for a value
// that none of the others has.
struct OptionRadios {
    std::uint32_t mask;
    std::array<int, 3> ids;
    std::array<std::uint32_t, 3> values;
    std::size_t count;
};

constexpr std::array<OptionRadios, 2> kOptionRadios = {{
    {kSearchToPane2, {kPane1RadioId, kPane2RadioId, 0}, {0, kSearchToPane2, 0}, 2},
    {kSearchScopeMask,
     {kScopeDocumentRadioId, kScopeSelectionRadioId, kScopeAllRadioId},
     {0, kSearchScopeSelection, kSearchScopeAllDocuments},
     3},
}};

bool HasControl(HWND dialog, int id) { return ::GetDlgItem(dialog, id) != nullptr; }

std::optional<std::wstring> WordAtCaret(const EditorView& view) {
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t start = view.Call(SCI_WORDSTARTPOSITION, caret, 1);
    const sptr_t end = view.Call(SCI_WORDENDPOSITION, caret, 1);
    if (end <= start || static_cast<std::size_t>(end - start) >= kMaxSelectionTextCapacity) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
    Sci_TextRangeFull range{{start, end}, text.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
    text.resize(static_cast<std::size_t>(end - start));
    return Utf8ToWide(text);
}

// The selection when it is one short line, else the word at the caret.
std::optional<std::wstring> TextAtCaret(const EditorView& view) {
    if (std::optional<std::wstring> text = SelectionOrWordAtCaret(view)) {
        return text;
    }
    if (view.Call(SCI_GETSELECTIONEMPTY)) {
        return std::nullopt;
    }
    return WordAtCaret(view);
}

}  // namespace

EditorView* ActiveDocumentView() {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    return active != nullptr ? active->view.get() : nullptr;
}

void ShowSearchOptions(HWND dialog, std::uint32_t options) {
    for (const OptionBox& box : kOptionBoxes) {
        if (HasControl(dialog, box.id)) {
            ::CheckDlgButton(dialog, box.id, (options & box.bit) != 0 ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    for (const OptionRadios& radios : kOptionRadios) {
        if (!HasControl(dialog, radios.ids[0])) {
            continue;
        }
        std::size_t chosen = 0;
        for (std::size_t i = 0; i < radios.count; ++i) {
            if ((options & radios.mask) == radios.values[i]) {
                chosen = i;
            }
        }
        for (std::size_t i = 0; i < radios.count; ++i) {
            ::CheckDlgButton(dialog, radios.ids[i], i == chosen ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    EnableElementButtons(dialog);
}

std::uint32_t ReadSearchOptions(HWND dialog, std::uint32_t options) {
    for (const OptionBox& box : kOptionBoxes) {
        if (HasControl(dialog, box.id)) {
            options = ::IsDlgButtonChecked(dialog, box.id) == BST_CHECKED ? options | box.bit : options & ~box.bit;
        }
    }
    for (const OptionRadios& radios : kOptionRadios) {
        for (std::size_t i = 0; i < radios.count; ++i) {
            if (HasControl(dialog, radios.ids[i]) && ::IsDlgButtonChecked(dialog, radios.ids[i]) == BST_CHECKED) {
                options = (options & ~radios.mask) | radios.values[i];
            }
        }
    }
    return options;
}

void EnableElementButtons(HWND dialog) {
    const BOOL regex = ::IsDlgButtonChecked(dialog, kRegexBoxId) == BST_CHECKED;
    for (const int id : {kFindElementsId, kReplaceElementsId}) {
        if (HWND button = ::GetDlgItem(dialog, id)) {
            ::EnableWindow(button, regex);
        }
    }
}

void FillHistory(HWND field, const RecentList& history) {
    ::SendMessageW(field, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : history.Entries()) {
        ::SendMessageW(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void PrefillFindField(HWND dialog) {
    HWND field = ::GetDlgItem(dialog, kFindFieldId);
    FillHistory(field, App().recent.find);
    const EditorView* view = ActiveDocumentView();
    const std::optional<std::wstring> text = view != nullptr ? TextAtCaret(*view) : std::nullopt;
    if (text) {
        ::SetWindowTextW(field, text->c_str());
    } else if (!App().recent.find.Empty()) {
        ::SendMessageW(field, CB_SETCURSEL, 0, 0);
    }
}

void PrefillReplaceField(HWND dialog) {
    HWND field = ::GetDlgItem(dialog, kReplaceFieldId);
    FillHistory(field, App().recent.replace);
    if (!App().recent.replace.Empty()) {
        ::SendMessageW(field, CB_SETCURSEL, 0, 0);
    }
}

std::wstring FieldText(HWND dialog, int fieldId) {
    HWND field = ::GetDlgItem(dialog, fieldId);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void FocusField(HWND dialog, int fieldId) {
    // As the dialog's own focus moves do it: the field's text comes selected.
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, fieldId)), TRUE);
}

std::optional<SearchRequest> TakeFindField(HWND dialog) {
    const std::wstring text = FieldText(dialog, kFindFieldId);
    if (text.empty()) {
        return std::nullopt;
    }
    std::optional<SearchRequest> request =
        MakeSearchRequest(text, static_cast<std::uint32_t>(App().settings.searchFlags));
    if (!request) {
        FocusField(dialog, kFindFieldId);
        return std::nullopt;
    }
    TakeFindText(text);
    return request;
}

std::optional<std::string> TakeReplaceField(HWND dialog) {
    const std::wstring text = FieldText(dialog, kReplaceFieldId);
    std::optional<std::string> prepared;
    if (text.size() <= kSearchFieldCapacity) {
        prepared = PrepareSearchText(WideToUtf8(text), static_cast<std::uint32_t>(App().settings.searchFlags));
    }
    if (!prepared) {
        ShowStatusMessage(L"The replacement text is too long: at most " + std::to_wstring(kSearchFieldCapacity) +
                          L" characters, " + std::to_wstring(kSearchTextCapacity - 1) + L" bytes in UTF-8.");
        FocusField(dialog, kReplaceFieldId);
        return std::nullopt;
    }
    CurrentSearchTexts().replace = text;
    App().recent.replace.AddRecent(text);  // an empty text is not added
    return prepared;
}

}  // namespace kelpo
