// The markers of whole-range replacements, kept for their undo and redo.
#include "lang/marker_history.h"

#include <iterator>
#include <map>

namespace kelpo {
namespace {

constexpr int kAllMarkers = -1;

// Each replacement takes two tokens: the odd one opens its undo step (undone last, when the old
// text is back), the even one closes it (redone last, when the new text is back). Tokens are
// never reused, so a view can only ever meet its own.
struct Kept {
    HWND window;
    MarkerChange change;
};

std::map<sptr_t, Kept>& History() {
    static std::map<sptr_t, Kept> history;
    return history;
}

sptr_t NextToken() {
    static sptr_t next = 1;
    const sptr_t token = next;
    next += 2;
    return token;
}

// The history of closed views is of no further use.
void ForgetClosedViews() {
    std::map<sptr_t, Kept>& history = History();
    for (auto entry = history.begin(); entry != history.end();) {
        entry = ::IsWindow(entry->second.window) ? std::next(entry) : history.erase(entry);
    }
}

void PutMarks(EditorView& view, sptr_t first, sptr_t count, const std::vector<LineMarks>& marks) {
    for (const LineMarks& marked : MarkedLines(view, first, count)) {
        view.Call(SCI_MARKERDELETE, marked.line, kAllMarkers);
    }
    for (const LineMarks& marked : marks) {
        view.Call(SCI_MARKERADDSET, marked.line, marked.mask);
    }
}

class UndoGroup {
public:
    explicit UndoGroup(EditorView& view) : view_(view) { view_.Call(SCI_BEGINUNDOACTION); }
    ~UndoGroup() { view_.Call(SCI_ENDUNDOACTION); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    EditorView& view_;
};

}  // namespace

std::vector<LineMarks> MarkedLines(const EditorView& view, sptr_t first, sptr_t count) {
    std::vector<LineMarks> marks;
    for (sptr_t line = view.Call(SCI_MARKERNEXT, first, kAllMarkers); line >= 0 && line < first + count;
         line = view.Call(SCI_MARKERNEXT, line + 1, kAllMarkers)) {
        marks.push_back({line, static_cast<int>(view.Call(SCI_MARKERGET, line))});
    }
    return marks;
}

bool ReplaceKeepingMarkers(EditorView& view, sptr_t start, sptr_t end, std::string_view text, MarkerChange change) {
    // A read-only text takes no replacement, and its markers must not move either.
    if (view.Call(SCI_GETREADONLY) != 0) {
        return false;
    }
    ForgetClosedViews();
    const sptr_t token = NextToken();
    {
        UndoGroup group(view);
        view.Call(SCI_ADDUNDOACTION, token, UNDO_NONE);
        view.SetTarget(start, end);
        view.ReplaceTarget(text, false);
        view.Call(SCI_ADDUNDOACTION, token + 1, UNDO_NONE);
    }
    PutMarks(view, change.firstLine, change.linesAfter, change.after);
    History().emplace(token, Kept{view.Window(), std::move(change)});
    return true;
}

void OnMarkerUndoStep(EditorView& view, sptr_t token, bool undone) {
    const std::map<sptr_t, Kept>& history = History();
    const auto entry = history.find(undone ? token : token - 1);
    if (entry == history.end() || entry->second.window != view.Window() || (token % 2 == 1) != undone) {
        return;
    }
    const MarkerChange& change = entry->second.change;
    if (undone) {
        PutMarks(view, change.firstLine, change.linesBefore, change.before);
    } else {
        PutMarks(view, change.firstLine, change.linesAfter, change.after);
    }
}

}  // namespace kelpo
