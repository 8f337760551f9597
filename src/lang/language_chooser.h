// The language chooser: a modal list of the catalogue's languages for the active document.
#pragma once

#include <windows.h>

#include "lang/editor_view.h"
#include "lang/language_def.h"

namespace kelpo {

// Child identifier of the chooser's list view.
inline constexpr int kLanguageChooserListId = 100;

// Shows the chooser for the active document's view and applies the chosen language to it.
// Returns the chosen entry (for the status bar and, with lexer 3, the completion word list), or
// nullptr when cancelled, when OK found no row selected, or when there is no active document.
const LanguageDef* ShowLanguageChooser(HWND owner);

// The same for any view.
const LanguageDef* ChooseLanguageForView(HWND owner, EditorView& view);

}  // namespace kelpo
