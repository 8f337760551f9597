// Regular-expression replace-all inside a range of an editor view, shared by the trimming
// commands and find and replace.
#pragma once

#include <string_view>

#include "Scintilla.h"
#include "lang/editor_view.h"

namespace kelpo {

// Document positions [start, end).
struct PositionRange {
    sptr_t start = 0;
    sptr_t end = 0;
};

struct ReplaceAllOutcome {
    int count = 0;
    sptr_t rangeEnd = 0;  // the range's end moved by what the replacements added or removed
    sptr_t lastEnd = -1;  // the end of the last replacement; -1 when nothing was replaced
};

// Every match of `what` inside `range` is replaced by `with` (with groups, \1 ... \9 take a
// regular-expression match's groups); the search goes on after each replacement, so replaced text
// is never searched again, and an empty match moves on one character. All replacements form one
// undo action. `searchFlags` are the component's SCFIND_ flags. A read-only view is left alone:
// the component would ignore the changes.
ReplaceAllOutcome ReplaceAllInRange(EditorView& view, std::string_view what, std::string_view with,
                                    PositionRange range, int searchFlags, bool withGroups);

// Every match of `pattern` inside `range` is replaced by `replacement` (\1 ... \9 take the
// match's groups); the search goes on after each replacement, so replaced text is never searched
// again. All replacements form one undo action. Returns the number of replacements.
// `searchFlags` are the component's SCFIND_ flags; SCFIND_REGEXP is always added.
int ReplaceAllRegex(EditorView& view, const char* pattern, const char* replacement, PositionRange range,
                    int searchFlags = SCFIND_REGEXP);

}  // namespace kelpo
