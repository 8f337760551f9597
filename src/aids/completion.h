// Word completion, API completion and call tips in an editor view, started by typing or by the
// edit commands 68 (call tip), 69 (API word) and 70 (document word).
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

// A view was set up for a language: views of the cpp lexer get the call-tip colours, and the first
// of them in a run loads the API word list from the program folder.
void OnLanguageAppliedForCompletion(EditorView& view, const LanguageDef& language);

// The document's words that continue the word before the caret. Typing asks with `onlyOneWord`:
// the list then opens only when exactly one other word continues it, and the search stops at a
// second one. The command shows every such word.
void StartWordCompletion(EditorView& view, bool onlyOneWord);
// Names of the API list that start with the word before the caret (all of them after a blank).
void StartApiCompletion(EditorView& view);
// The signature of the function whose argument list holds the caret.
void StartCallTip(EditorView& view);
// Shows the current signature at `position` (-1 keeps the last position).
void ShowCallTip(EditorView& view, sptr_t position);
// Highlights the parameter the caret is in.
void ContinueCallTip(EditorView& view);
// SCN_CALLTIPCLICK: 1 the up arrow, 2 the down arrow.
void OnCallTipClick(EditorView& view, int where);

}  // namespace kelpo
