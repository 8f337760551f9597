// Regular-expression replace-all over a range, one undo action for all replacements.
#include "lang/regex_replace.h"

#include <algorithm>
#include <string_view>

namespace kelpo {

int ReplaceAllRegex(EditorView& view, const char* pattern, const char* replacement, PositionRange range,
                    int searchFlags) {
    const std::string_view what = pattern != nullptr ? pattern : "";
    const std::string_view with = replacement != nullptr ? replacement : "";
    if (what.empty()) {
        return 0;
    }
    const sptr_t length = view.Call(SCI_GETLENGTH);
    sptr_t start = std::clamp<sptr_t>(range.start, 0, length);
    sptr_t end = std::clamp<sptr_t>(range.end, start, length);

    view.SetSearchFlags(searchFlags | SCFIND_REGEXP);
    int count = 0;
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
        const sptr_t replacedLength = view.ReplaceTarget(with, true);
        ++count;
        end += replacedLength - (matchEnd - found);
        start = found + replacedLength;
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
    return count;
}

}  // namespace kelpo
