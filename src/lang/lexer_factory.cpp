// Turns lexer numbers and names into lexer objects: Lexilla's, and the program's own.
#include "lang/lexer_factory.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "Lexilla.h"
#include "lang/lex_cuesheet.h"
#include "lang/lexer_names.h"

namespace kelpo {

Scintilla::ILexer5* CreateLexerForNumber(int lexerNumber) {
    // Lexer numbers are 16 bits; a wider value must not wrap onto another lexer's number.
    if (lexerNumber < 0 || lexerNumber > std::numeric_limits<std::uint16_t>::max()) return nullptr;
    return CreateLexerByName(LexerName(static_cast<std::uint16_t>(lexerNumber)));
}

Scintilla::ILexer5* CreateLexerByName(std::string_view name) {
    // Lexilla takes a C string: a name with a NUL inside would be cut to another name.
    if (name.empty() || name.find('\0') != std::string_view::npos) return nullptr;
    if (name == kCueSheetLexerName) return CreateCueSheetLexer();
    const std::string terminated(name);
    return CreateLexer(terminated.c_str());
}

}  // namespace kelpo
