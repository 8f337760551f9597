// Creates the lexers that colour and fold the editor views; the one place where lexers are made.
#pragma once

#include <string_view>

#include "ILexer.h"

namespace kelpo {

// A new lexer for a catalogue lexer number (lang/lexer_names.h), or nullptr for a number no
// lexer is known by. The caller owns the lexer until it hands it to the editing component
// with SCI_SETILEXER (which then releases it when replaced); otherwise it must Release() it.
Scintilla::ILexer5* CreateLexerForNumber(int lexerNumber);

// The same by lexer name: Lexilla's names, and "cuesheet" for the program's own lexer.
// Also serves lexers outside the catalogue, such as the output pane's "errorlist".
Scintilla::ILexer5* CreateLexerByName(std::string_view name);

}  // namespace kelpo
