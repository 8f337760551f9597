// Setting up an editor view: the program's fixed defaults, the user's view options and the
// width of the line-number margin.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

// The margins, markers and indicators every view starts with; once, right after the window
// exists and before any text is put in. Leaves undo collection off for the loader.
void CreateDefaults(EditorView& view);

// A new view made ready to show: the defaults, the view options and the default language, so a
// view is never shown without one. Loading or choosing a language applies the real one later.
void SetUpViewForEditing(EditorView& view);

// The program-wide view options of the settings (line numbers, white space, line ends,
// indentation guides, wrap) and the zoom level.
void ApplyViewOptions(EditorView& view);

// Margin 0 wide enough for the line count's digits (at least 4) when shown, else closed.
void UpdateLineNumberMargin(EditorView& view, bool show);

// Whether the settings ask for the line-number margin.
bool LineNumbersShown();

}  // namespace kelpo
