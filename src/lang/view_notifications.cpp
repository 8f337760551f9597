// Margin clicks for bookmarks and folds, and keeping fold state consistent as the text changes.
#include "lang/view_notifications.h"

#include "lang/marker_history.h"
#include "lang/view_setup.h"

namespace kelpo {
namespace {

constexpr int kBookmarkMargin = 1;
constexpr int kFoldMargin = 2;
constexpr int kBookmarkMarker = 1;

bool IsHeader(int level) { return (level & SC_FOLDLEVELHEADERFLAG) != 0; }
int LevelNumber(int level) { return level & SC_FOLDLEVELNUMBERMASK; }

void ToggleBookmark(EditorView& view, sptr_t line) {
    if (view.Call(SCI_MARKERGET, line) & (1 << kBookmarkMarker)) {
        view.Call(SCI_MARKERDELETE, line, kBookmarkMarker);
    } else {
        view.Call(SCI_MARKERADD, line, kBookmarkMarker);
    }
}

void FoldClick(EditorView& view, sptr_t line, int modifiers) {
    const bool shift = (modifiers & SCMOD_SHIFT) != 0;
    const bool ctrl = (modifiers & SCMOD_CTRL) != 0;
    if (shift && ctrl) {
        view.Call(SCI_FOLDALL, SC_FOLDACTION_CONTRACT | SC_FOLDACTION_CONTRACT_EVERY_LEVEL);
        return;
    }
    if (!IsHeader(static_cast<int>(view.Call(SCI_GETFOLDLEVEL, line)))) return;
    if (shift) {
        view.Call(SCI_FOLDCHILDREN, line, SC_FOLDACTION_EXPAND);
    } else if (ctrl) {
        // Toggle follows the header's own state and carries every block inside along.
        view.Call(SCI_FOLDCHILDREN, line, SC_FOLDACTION_TOGGLE);
    } else {
        view.Call(SCI_TOGGLEFOLD, line);
    }
}

// Shows the lines that were the block of `line` when its level was `level`. Runs while the
// lexer is still setting levels, so the lines below still carry their old levels.
void ShowFormerBlock(EditorView& view, sptr_t line, int level) {
    const sptr_t last = view.Call(SCI_GETLASTCHILD, line, LevelNumber(level));
    if (last > line) view.Call(SCI_SHOWLINES, line + 1, last);
}

}  // namespace

void OnMarginClick(EditorView& view, int margin, sptr_t position, int modifiers) {
    const sptr_t line = view.Call(SCI_LINEFROMPOSITION, position);
    if (margin == kBookmarkMargin) {
        ToggleBookmark(view, line);
    } else if (margin == kFoldMargin) {
        FoldClick(view, line, modifiers);
    }
}

void OnFoldLevelChanged(EditorView& view, sptr_t line, int levelNow, int levelPrev) {
    if (IsHeader(levelNow) && !IsHeader(levelPrev)) {
        view.Call(SCI_SETFOLDEXPANDED, line, 1);
        ShowFormerBlock(view, line, levelPrev);
    } else if (!IsHeader(levelNow) && IsHeader(levelPrev) && !view.Call(SCI_GETFOLDEXPANDED, line)) {
        // A folded header that stops being one could never be unfolded again: its lines would
        // stay hidden for good.
        view.Call(SCI_SETFOLDEXPANDED, line, 1);
        ShowFormerBlock(view, line, levelPrev);
    }
    if (!IsHeader(levelNow) && LevelNumber(levelNow) < LevelNumber(levelPrev)) {
        // The line may have left a folded block; it stays hidden only inside one that is still folded.
        const sptr_t parent = view.Call(SCI_GETFOLDPARENT, line);
        if (parent < 0 || (view.Call(SCI_GETFOLDEXPANDED, parent) && view.Call(SCI_GETLINEVISIBLE, parent))) {
            view.Call(SCI_SHOWLINES, line, line);
        }
    }
}

void ShowNeededLines(EditorView& view, sptr_t position, sptr_t length) {
    const sptr_t first = view.Call(SCI_LINEFROMPOSITION, position);
    const sptr_t last = view.Call(SCI_LINEFROMPOSITION, position + length);
    for (sptr_t line = first; line <= last; ++line) {
        view.Call(SCI_ENSUREVISIBLE, line);
    }
}

void OnViewNotification(EditorView& view, const SCNotification& notification) {
    switch (notification.nmhdr.code) {
    case SCN_PAINTED:
        UpdateLineNumberMargin(view, LineNumbersShown());
        break;
    case SCN_MARGINCLICK:
        OnMarginClick(view, notification.margin, notification.position, notification.modifiers);
        break;
    case SCN_MODIFIED:
        if (notification.modificationType & SC_MOD_CHANGEFOLD) {
            OnFoldLevelChanged(view, notification.line, notification.foldLevelNow, notification.foldLevelPrev);
        }
        if (notification.modificationType & SC_MOD_CONTAINER) {
            OnMarkerUndoStep(view, notification.token, (notification.modificationType & SC_PERFORMED_UNDO) != 0);
        }
        break;
    case SCN_NEEDSHOWN:
        ShowNeededLines(view, notification.position, notification.length);
        break;
    default:
        break;
    }
}

}  // namespace kelpo
