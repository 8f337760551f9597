// Search commands on the active document, with the status-bar messages of their outcome.
#include "aids/search_commands.h"

#include "aids/search_options.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "base/text_convert.h"
#include "base/ui_text.h"
#include "doc/document_tabs.h"
#include "lang/selection_text.h"

namespace kelpo {
namespace {

EditorView* ActiveDocumentView() {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    return active != nullptr ? active->view.get() : nullptr;
}

std::uint32_t Options() { return static_cast<std::uint32_t>(App().settings.searchFlags); }

bool HighlightWordAtCaret(EditorView& view) {
    // One line and shorter than 256 bytes, as the word list of a search field takes it.
    const std::optional<std::wstring> word = SelectionOrWordAtCaret(view, kSearchFieldCapacity);
    if (!word) {
        return false;
    }
    const std::optional<SearchRequest> request = MakeSearchRequest(*word, Options());
    if (!request) {
        return false;
    }
    ClearHighlights(view);
    HighlightAll(view, *request);
    return true;
}

}  // namespace

SearchTexts& CurrentSearchTexts() {
    static SearchTexts texts;
    return texts;
}

std::optional<SearchRequest> MakeSearchRequest(const std::wstring& text, std::uint32_t options) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> prepared;
    if (text.size() <= kSearchFieldCapacity) {
        prepared = PrepareSearchText(WideToUtf8(text), options);
    }
    if (!prepared) {
        ShowStatusMessage(L"The search text is too long: at most " + std::to_wstring(kSearchFieldCapacity) +
                          L" characters, " + std::to_wstring(kSearchTextCapacity - 1) + L" bytes in UTF-8.");
        return std::nullopt;
    }
    if (prepared->empty()) {
        return std::nullopt;
    }
    SearchRequest request;
    request.text = std::move(*prepared);
    request.componentFlags = ComponentSearchFlags(options);
    request.wrap = (options & kSearchWrap) != 0;
    request.regex = (options & kSearchRegex) != 0;
    return request;
}

void TakeFindText(const std::wstring& text) {
    CurrentSearchTexts().find = text;
    App().recent.find.AddRecent(text);
}

bool FindInActiveDocument(SearchDirection direction) {
    EditorView* view = ActiveDocumentView();
    if (view == nullptr) {
        return false;
    }
    ShowStatusMessage(L"");
    const std::optional<SearchRequest> request = MakeSearchRequest(CurrentSearchTexts().find, Options());
    if (!request) {
        return false;
    }
    if (FindAndSelect(*view, *request, direction)) {
        return true;
    }
    if (LastStatusMessage().empty()) {
        ShowStatusMessage(UiText(direction == SearchDirection::Forward ? kTextNotFoundForward : kTextNotFoundBackward));
    }
    return false;
}

bool HandleSearchCommand(int command) {
    EditorView* view = ActiveDocumentView();
    switch (command) {
    case kCmdFindNext:
    case kCmdFindPrevious:
        FindInActiveDocument(command == kCmdFindNext ? SearchDirection::Forward : SearchDirection::Backward);
        return true;
    case kCmdFindWordNext:
    case kCmdFindWordPrevious:
        if (view != nullptr) {
            if (const std::optional<std::wstring> word = SelectionOrWordAtCaret(*view, kSearchFieldCapacity)) {
                TakeFindText(*word);
                FindInActiveDocument(command == kCmdFindWordNext ? SearchDirection::Forward
                                                                 : SearchDirection::Backward);
            }
        }
        return true;
    case kCmdHighlightWord:
        if (view != nullptr) {
            HighlightWordAtCaret(*view);
        }
        return true;
    case kCmdRemoveHighlights:
        if (view != nullptr) {
            ClearHighlights(*view);
        }
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
