// The search commands that need no dialog: Find Next and Previous (143, 144), the word at the
// caret as search text (145, 146), Highlight Word and Remove Highlights (153, 154); and the
// search texts that the dialogs share with them.
#pragma once

#include <optional>
#include <string>

#include "aids/document_search.h"

namespace kelpo {

enum SearchCommand : int {
    kCmdFindNext = 143,
    kCmdFindPrevious = 144,
    kCmdFindWordNext = 145,
    kCmdFindWordPrevious = 146,
    kCmdHighlightWord = 153,
    kCmdRemoveHighlights = 154,
};

// The texts of the last search, kept in memory only.
struct SearchTexts {
    std::wstring find;
    std::wstring replace;
};
SearchTexts& CurrentSearchTexts();

// A request for the text with the options of SearchFlags; nothing for an empty text, and for
// one too long to search, which the status bar then says.
std::optional<SearchRequest> MakeSearchRequest(const std::wstring& text, std::uint32_t options);

// Makes the text the find text and puts it at the front of the find history.
void TakeFindText(const std::wstring& text);

// Find Next or Previous in the active document with the current text and options; says so in
// the status bar when nothing is found.
bool FindInActiveDocument(SearchDirection direction);

// Runs 143-146, 153 and 154; false for any other command.
bool HandleSearchCommand(int command);

}  // namespace kelpo
