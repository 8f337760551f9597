// In-view searches through the component's target search, so that texts may hold any byte.
#include "aids/document_search.h"

#include <algorithm>

#include "aids/search_options.h"
#include "lang/regex_replace.h"

namespace kelpo {
namespace {

struct Match {
    sptr_t start = -1;
    sptr_t end = -1;
    bool Found() const { return start >= 0; }
};

// The first match between `from` and `to` (backward when from > to).
Match Search(EditorView& view, const SearchRequest& request, sptr_t from, sptr_t to) {
    view.SetSearchFlags(request.componentFlags);
    view.SetTarget(from, to);
    const sptr_t start = view.SearchInTarget(request.text);
    if (start < 0) {
        return {};
    }
    return {start, view.Call(SCI_GETTARGETEND)};
}

Match SearchWrapping(EditorView& view, const SearchRequest& request, SearchDirection direction, sptr_t from) {
    const sptr_t length = view.Call(SCI_GETLENGTH);
    if (direction == SearchDirection::Forward) {
        Match match = Search(view, request, from, length);
        if (!match.Found() && request.wrap && from != 0) {
            match = Search(view, request, 0, length);
        }
        return match;
    }
    Match match = Search(view, request, from, 0);
    if (!match.Found() && request.wrap && from != length) {
        match = Search(view, request, length, 0);
    }
    return match;
}

// Selects the range with the caret policies that keep a found match well inside the window.
void SelectInView(EditorView& view, sptr_t start, sptr_t end) {
    view.Call(SCI_SETXCARETPOLICY, CARET_SLOP | CARET_STRICT | CARET_EVEN, 50);
    view.Call(SCI_SETYCARETPOLICY, CARET_SLOP | CARET_STRICT | CARET_EVEN, 5);
    view.Call(SCI_SETSEL, start, end);
    view.Call(SCI_SETXCARETPOLICY, CARET_SLOP | CARET_EVEN, 50);
    view.Call(SCI_SETYCARETPOLICY, CARET_EVEN, 0);
}

// Calls `act` for every match from the start to the end; each next search starts after the
// match, at least one character further.
template <typename Act>
int ForEachMatch(EditorView& view, const SearchRequest& request, Act act) {
    const sptr_t length = view.Call(SCI_GETLENGTH);
    int count = 0;
    for (sptr_t from = 0; from <= length;) {
        const Match match = Search(view, request, from, length);
        if (!match.Found()) {
            break;
        }
        act(match);
        ++count;
        from = match.end > match.start ? match.end : view.Call(SCI_POSITIONAFTER, match.start);
        if (match.end == match.start && from == match.start) {
            break;  // an empty match at the very end
        }
    }
    return count;
}

}  // namespace

int ComponentSearchFlags(std::uint32_t options) {
    int flags = 0;
    if (options & kSearchMatchCase) flags |= SCFIND_MATCHCASE;
    if (options & kSearchWholeWord) flags |= SCFIND_WHOLEWORD;
    if (options & kSearchRegex) flags |= SCFIND_REGEXP;
    return flags;
}

bool FindAndSelect(EditorView& view, const SearchRequest& request, SearchDirection direction) {
    const sptr_t from = direction == SearchDirection::Forward ? view.Call(SCI_GETSELECTIONEND)
                                                              : view.Call(SCI_GETSELECTIONSTART);
    const Match match = SearchWrapping(view, request, direction, from);
    if (!match.Found()) {
        return false;
    }
    SelectInView(view, match.start, match.end);
    return true;
}

bool ReplaceAndFindNext(EditorView& view, const SearchRequest& request, std::string_view replacement) {
    if (view.Call(SCI_GETREADONLY)) {
        return false;  // the component would ignore the change
    }
    const Match match = SearchWrapping(view, request, SearchDirection::Forward, view.Call(SCI_GETSELECTIONSTART));
    if (!match.Found()) {
        return false;
    }
    view.SetTarget(match.start, match.end);
    const sptr_t replaced = view.ReplaceTarget(replacement, request.regex);
    const sptr_t after = match.start + replaced;
    SelectInView(view, after, after);
    const Match next = SearchWrapping(view, request, SearchDirection::Forward, after);
    if (next.Found()) {
        SelectInView(view, next.start, next.end);
    }
    return true;
}

int ReplaceAll(EditorView& view, const SearchRequest& request, std::string_view replacement, bool selectionOnly) {
    const PositionRange range = selectionOnly
                                    ? PositionRange{view.Call(SCI_GETSELECTIONSTART), view.Call(SCI_GETSELECTIONEND)}
                                    : PositionRange{0, view.Call(SCI_GETLENGTH)};
    const ReplaceAllOutcome outcome =
        ReplaceAllInRange(view, request.text, replacement, range, request.componentFlags, request.regex);
    if (selectionOnly) {
        view.Call(SCI_SETSEL, range.start, outcome.rangeEnd);
    } else if (outcome.lastEnd >= 0) {
        view.Call(SCI_GOTOPOS, outcome.lastEnd);
    }
    return outcome.count;
}

int HighlightAll(EditorView& view, const SearchRequest& request) {
    view.Call(SCI_SETINDICATORCURRENT, kHighlightIndicator);
    return ForEachMatch(view, request, [&](const Match& match) {
        view.Call(SCI_INDICATORFILLRANGE, match.start, match.end - match.start);
    });
}

void ClearHighlights(EditorView& view) {
    view.Call(SCI_SETINDICATORCURRENT, kHighlightIndicator);
    view.Call(SCI_INDICATORCLEARRANGE, 0, view.Call(SCI_GETLENGTH));
}

int BookmarkAll(EditorView& view, const SearchRequest& request) {
    return ForEachMatch(view, request, [&](const Match& match) {
        const sptr_t line = view.Call(SCI_LINEFROMPOSITION, match.start);
        if (!(view.Call(SCI_MARKERGET, line) & (1 << kBookmarkMarkerNumber))) {
            view.Call(SCI_MARKERADD, line, kBookmarkMarkerNumber);
        }
    });
}

std::vector<MatchLine> ListMatches(EditorView& view, const SearchRequest& request) {
    std::vector<MatchLine> lines;
    ForEachMatch(view, request, [&](const Match& match) {
        const sptr_t line = view.Call(SCI_LINEFROMPOSITION, match.start);
        const sptr_t start = view.Call(SCI_POSITIONFROMLINE, line);
        const sptr_t end = view.Call(SCI_GETLINEENDPOSITION, line);
        std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
        Sci_TextRangeFull range{{start, end}, text.data()};
        view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
        text.resize(static_cast<std::size_t>(end - start));
        lines.push_back({static_cast<int>(line), std::move(text)});
    });
    return lines;
}

}  // namespace kelpo
