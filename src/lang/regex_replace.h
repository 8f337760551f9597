// Regular-expression replace-all inside a range of an editor view, shared by the trimming
// commands and find and replace.
#pragma once

#include "Scintilla.h"
#include "lang/editor_view.h"

namespace kelpo {

// Document positions [start, end).
struct PositionRange {
    sptr_t start = 0;
    sptr_t end = 0;
};

// Every match of `pattern` inside `range` is replaced by `replacement` (\1 ... \9 take the
// match's groups); the search goes on after each replacement, so replaced text is never searched
// again. All replacements form one undo action. Returns the number of replacements.
// `searchFlags` are the component's SCFIND_ flags; SCFIND_REGEXP is always added.
int ReplaceAllRegex(EditorView& view, const char* pattern, const char* replacement, PositionRange range,
                    int searchFlags = SCFIND_REGEXP);

}  // namespace kelpo
