// Regular-expression replace-all over a range, one undo action for all replacements.
#include "lang/regex_replace.h"

#include <algorithm>
#include <string_view>

namespace kelpo {

ReplaceAllOutcome ReplaceAllInRange(EditorView& view, std::string_view what, std::string_view with,
                                    PositionRange range, int searchFlags, bool withGroups) {
    const sptr_t length = view.Call(SCI_GETLENGTH);
    sptr_t start = std::clamp<sptr_t>(range.start, 0, length);
    ReplaceAllOutcome outcome;
    outcome.rangeEnd = std::clamp<sptr_t>(range.end, start, length);
    if (what.empty() || view.Call(SCI_GETREADONLY)) {
        return outcome;
    }
    sptr_t& end = outcome.rangeEnd;
    view.SetSearchFlags(searchFlags);
    view.Call(SCI_BEGINUNDOACTION);
    while (start <= end) {
        view.SetTarget(start, end);
        const sptr_t found = view.SearchInTarget(what);
        if (found < 0 || found > end) {
            break;
        }
        const sptr_t matchEnd = view.Call(SCI_GETTARGETEND);
        // A hit that runs past the range's end is not inside the range.
        if (matchEnd > end) {
            break;
        }
        const sptr_t replacedLength = view.ReplaceTarget(with, withGroups);
        ++outcome.count;
        end += replacedLength - (matchEnd - found);
        start = found + replacedLength;
        outcome.lastEnd = start;
        if (matchEnd == found) {
            // An empty match would be found again at the same place for ever: step over one
            // character of the original text.
            if (start >= end) {
                break;
            }
            start = view.Call(SCI_POSITIONAFTER, start);
        }
    }
    view.Call(SCI_ENDUNDOACTION);
    return outcome;
}

int ReplaceAllRegex(EditorView& view, const char* pattern, const char* replacement, PositionRange range,
                    int searchFlags) {
    return ReplaceAllInRange(view, pattern != nullptr ? pattern : "", replacement != nullptr ? replacement : "",
                             range, searchFlags | SCFIND_REGEXP, true)
        .count;
}

}  // namespace kelpo
