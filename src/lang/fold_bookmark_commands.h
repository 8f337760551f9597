// The fold and bookmark commands of an editor view.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

inline constexpr int kBookmarkMarkerNumber = 1;

// The fold of the block around the caret opens or closes.
void ToggleFoldAtCaret(EditorView& view);
// Every unfolded block folds (fold true) or every folded block unfolds (fold false).
void FoldAll(EditorView& view, bool fold);
// Blocks whose headers are at `level` (0 for the outermost) fold or unfold.
void FoldLevel(EditorView& view, int level, bool fold);
// The level of the block the caret is in: its own line's when that is a header, else that of
// its fold parent; -1 outside every block.
int CaretFoldLevel(EditorView& view);

void ToggleBookmarkAtCaret(EditorView& view);
// To the next (or previous) bookmark after (before) the caret's line, wrapping once round the
// document; false when there is no other bookmarked line to go to.
bool GoToBookmark(EditorView& view, bool next);

}  // namespace kelpo
