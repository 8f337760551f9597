// Fold commands over the fold headers of the lexed text, and bookmark navigation with wrap.
#include "lang/fold_bookmark_commands.h"

namespace kelpo {
namespace {

constexpr int kBookmarkMask = 1 << kBookmarkMarkerNumber;

bool IsHeader(const EditorView& view, sptr_t line) {
    return (view.Call(SCI_GETFOLDLEVEL, line) & SC_FOLDLEVELHEADERFLAG) != 0;
}

int LevelNumber(const EditorView& view, sptr_t line) {
    return static_cast<int>(view.Call(SCI_GETFOLDLEVEL, line) & SC_FOLDLEVELNUMBERMASK) - SC_FOLDLEVELBASE;
}

bool IsExpanded(const EditorView& view, sptr_t line) { return view.Call(SCI_GETFOLDEXPANDED, line) != 0; }

sptr_t CaretLine(const EditorView& view) {
    return view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
}

// Fold levels come from the lexer, which styles lazily; the whole text must be lexed before
// headers far below the visible part can be found.
void LexWholeDocument(EditorView& view) { view.Call(SCI_COLOURISE, 0, -1); }

}  // namespace

void ToggleFoldAtCaret(EditorView& view) {
    sptr_t line = CaretLine(view);
    if (!IsHeader(view, line)) {
        line = view.Call(SCI_GETFOLDPARENT, line);
    }
    if (line >= 0) {
        view.Call(SCI_TOGGLEFOLD, line);
    }
}

void FoldAll(EditorView& view, bool fold) {
    LexWholeDocument(view);
    const sptr_t lines = view.Call(SCI_GETLINECOUNT);
    for (sptr_t line = 0; line < lines; ++line) {
        if (IsHeader(view, line) && IsExpanded(view, line) == fold) {
            view.Call(SCI_TOGGLEFOLD, line);
        }
    }
}

void FoldLevel(EditorView& view, int level, bool fold) {
    LexWholeDocument(view);
    const sptr_t lines = view.Call(SCI_GETLINECOUNT);
    for (sptr_t line = 0; line < lines; ++line) {
        if (IsHeader(view, line) && LevelNumber(view, line) == level && IsExpanded(view, line) == fold) {
            view.Call(SCI_TOGGLEFOLD, line);
        }
    }
}

int CaretFoldLevel(EditorView& view) {
    LexWholeDocument(view);
    sptr_t line = CaretLine(view);
    if (!IsHeader(view, line)) {
        // A line inside a block carries the level below its header's; the block it belongs to
        // is the parent's.
        line = view.Call(SCI_GETFOLDPARENT, line);
        if (line < 0) {
            return -1;
        }
    }
    return LevelNumber(view, line);
}

void ToggleBookmarkAtCaret(EditorView& view) {
    const sptr_t line = CaretLine(view);
    if ((view.Call(SCI_MARKERGET, line) & kBookmarkMask) != 0) {
        view.Call(SCI_MARKERDELETE, line, kBookmarkMarkerNumber);
    } else {
        view.Call(SCI_MARKERADD, line, kBookmarkMarkerNumber);
    }
}

bool GoToBookmark(EditorView& view, bool next) {
    const sptr_t caretLine = CaretLine(view);
    const sptr_t lastLine = view.Call(SCI_GETLINECOUNT) - 1;
    sptr_t found = -1;
    if (next) {
        if (caretLine < lastLine) {
            found = view.Call(SCI_MARKERNEXT, caretLine + 1, kBookmarkMask);
        }
        if (found < 0) {
            found = view.Call(SCI_MARKERNEXT, 0, kBookmarkMask);
        }
    } else {
        if (caretLine > 0) {
            found = view.Call(SCI_MARKERPREVIOUS, caretLine - 1, kBookmarkMask);
        }
        if (found < 0) {
            found = view.Call(SCI_MARKERPREVIOUS, lastLine, kBookmarkMask);
        }
    }
    if (found < 0 || found == caretLine) {
        return false;
    }
    view.Call(SCI_ENSUREVISIBLEENFORCEPOLICY, found);
    view.Call(SCI_GOTOLINE, found);
    return true;
}

}  // namespace kelpo
