// Configuring an editor view for a language with the style theme in force: lexer, keyword lists,
// the theme's furniture colours, fold markers and the language's styles.
#pragma once

#include "lang/editor_view.h"
#include "lang/language_def.h"
#include "lang/style_def.h"

namespace kelpo {

// Sets the view up for the language from reset styles, so nothing of an earlier language stays,
// and restyles the whole text. The view reports `language` afterwards; PHP, ASP and JSP are
// lexed and styled as HTML with the script styles of ASP, PHP and JavaScript on top.
void ApplyLanguage(EditorView& view, const LanguageDef& language);
// The same for a catalogue position (clamped as LanguageAt does).
void ApplyLanguage(EditorView& view, int languageId);

// Called at the end of every ApplyLanguage, for the aids that depend on the language (call-tip
// colours, the API word list); nullptr for none.
using LanguageAppliedHook = void (*)(EditorView& view, const LanguageDef& language);
void SetLanguageAppliedHook(LanguageAppliedHook hook);

// Puts the set attributes of `style` onto its style number; unset attributes are left as they
// are. Style numbers the component cannot hold are ignored.
void ApplyStyleDef(EditorView& view, const StyleDef& style);

}  // namespace kelpo
