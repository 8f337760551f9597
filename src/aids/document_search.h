// Searches inside one editor view: find next or previous with wrap, replace, replace all in a
// range, and the every-match actions (highlight, bookmark, list). The texts are prepared ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/editor_view.h"
#include "lang/fold_bookmark_commands.h"

namespace kelpo {

struct SearchRequest {
    std::string text;        // UTF-8, escapes resolved; never empty
    int componentFlags = 0;  // SCFIND_ flags
    bool wrap = false;
    bool regex = false;
};

enum class SearchDirection { Forward, Backward };

// The editing component's SCFIND_ flags for the option word (SearchFlags): match case, whole
// word, regular expression. Wrap, direction and escapes are handled here and by the caller.
int ComponentSearchFlags(std::uint32_t options);

// The indicator of Highlight All; Bookmark All sets the bookmark marker.
inline constexpr int kHighlightIndicator = 31;

// From the selection's end forward, or its start backward; once more from the other end of the
// text with wrap. A match is selected and scrolled into view; false leaves the selection alone.
bool FindAndSelect(EditorView& view, const SearchRequest& request, SearchDirection direction);

// Replaces the match at or after the selection's start (so a selected match is the one replaced),
// puts the caret after the replacement and selects the next match. False when there was none.
bool ReplaceAndFindNext(EditorView& view, const SearchRequest& request, std::string_view replacement);

// Every match in the whole text, or only inside the selection, replaced as one undo action; the
// selection then covers the adjusted range, otherwise the caret follows the last replacement.
// A pattern that matches empty text moves on one character after each empty match. A read-only
// view is left alone (0).
int ReplaceAll(EditorView& view, const SearchRequest& request, std::string_view replacement, bool selectionOnly);

// Every match's own range filled with the highlight indicator; the number of matches.
int HighlightAll(EditorView& view, const SearchRequest& request);
void ClearHighlights(EditorView& view);
// The bookmark-all marker on every line that holds a match; the number of matches.
int BookmarkAll(EditorView& view, const SearchRequest& request);

// One entry per match (a line with three matches is listed three times): 0-based line and its
// text without line end.
struct MatchLine {
    int line = 0;
    std::string text;
};
std::vector<MatchLine> ListMatches(EditorView& view, const SearchRequest& request);

}  // namespace kelpo
