// What an editor view does with the component's repaint, margin, fold and show notifications.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

// SCN_PAINTED, SCN_MARGINCLICK, SCN_MODIFIED (fold changes, undo and redo of marker-keeping
// replacements) and SCN_NEEDSHOWN; other codes are ignored, so every notification of a view may
// be passed in.
void OnViewNotification(EditorView& view, const SCNotification& notification);

// The modifications that OnViewNotification handles, the views' SCI_SETMODEVENTMASK. Every other
// change of the text stays unreported: a command that makes thousands of changes would otherwise
// have each of them sent to the main window. A handler of another modification adds its flag here.
inline constexpr int kHandledModifications = SC_MOD_CHANGEFOLD | SC_MOD_CONTAINER;

// A click in margin 1 toggles the bookmark of the line; one in margin 2 folds per the modifier
// keys (SCMOD_ values): none toggles the block, Ctrl folds or unfolds it with all blocks inside,
// Shift unfolds it with all blocks inside, Shift+Ctrl on any line folds every block.
void OnMarginClick(EditorView& view, int margin, sptr_t position, int modifiers);

// Keeps lines from staying hidden when a line's fold level changes.
void OnFoldLevelChanged(EditorView& view, sptr_t line, int levelNow, int levelPrev);

// Makes every line from the one holding `position` to the one holding position + length visible.
void ShowNeededLines(EditorView& view, sptr_t position, sptr_t length);

}  // namespace kelpo
