// What an editor view does while the user types: indentation kept in step with the code, call
// tips and word completion, the brace pair at the caret and the marks of a selected word.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

// The indicator that marks the other occurrences of a selected word.
inline constexpr int kSelectedWordIndicator = 29;

// SCN_CHARADDED.
void OnCharAdded(EditorView& view, int character);
// SCN_UPDATEUI: the brace pair, then the selected word's marks.
void OnUpdateUi(EditorView& view);

// The indentation, in columns, that a line after `line` takes from the blocks above it.
int IndentOfBlock(EditorView& view, sptr_t line);
// Sets a line's indentation; the selection stays on the same text. Negative columns do nothing.
void SetLineIndentation(EditorView& view, sptr_t line, int columns);

void BraceHighlight(EditorView& view);
// Commands 151 and 152: the caret to the partner of the brace beside it, or the selection from
// the brace to it. With Python, a ":" that opens a block goes to the end of the block.
void GoToMatchingBrace(EditorView& view, bool select);
// Marks every other whole occurrence of the selected word on the lines on screen.
void MarkSelectedWord(EditorView& view);

}  // namespace kelpo
