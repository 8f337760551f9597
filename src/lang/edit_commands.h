// The edit, view, fold and bookmark commands that an editor view runs for the main window.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

// Runs the command with this identifier on the view; false (and nothing done) for identifiers
// the view does not run. Every change of the text is one undo action.
bool ExecuteEditCommand(EditorView& view, int command);

// ExecuteEditCommand on the active document's view; false without one. Command 48 (the sort
// dialog, owned by the main window) is run here as well, since it needs the active view.
bool HandleEditCommandForActiveView(int command);

// Sorts the command's lines with the sort options 1, 2, 4, 8, 16 (Config2 bits 16-20). Several
// selections or a rectangular one: nothing.
void SortLines(EditorView& view, unsigned options);

// Command identifiers of the view that other parts name.
inline constexpr int kCmdSortLinesDialog = 48;

}  // namespace kelpo
