// One entry of the fixed language catalogue: how a language is lexed, commented,
// indented and styled.
#pragma once

#include <array>
#include <cstdint>

#include "lang/style_def.h"

namespace kelpo {

inline constexpr int kKeywordSlots = 9;

// A word list whose first character is an ASCII letter is a list of words separated
// by single spaces; any other list is a set of single characters. An empty list never
// matches.
struct IndentRule {
    int style = 0;
    const char* words = "";
};

struct LanguageDef {
    std::uint16_t lexer = 0;  // lexer number; lexer_names.h gives its Lexilla name
    std::uint16_t id = 0;     // position in the catalogue; the key themes and documents use
    const wchar_t* displayName = L"";
    // Comment markers; nullptr when the language has none.
    const char* lineComment = nullptr;
    const char* blockCommentStart = nullptr;
    const char* blockCommentEnd = nullptr;
    std::uint8_t keepIndentation = 0;
    std::uint8_t ruleIndentation = 1;
    std::uint8_t indentOpening = 0;
    std::uint8_t indentClosing = 0;
    // Go-to-matching-brace counts only braces of this style (low byte); 0 accepts any.
    int braceStyle = 0;
    std::int32_t statementLookback = 20;  // lines
    IndentRule statementIndent;
    IndentRule statementEnd;
    IndentRule blockStart;
    IndentRule blockEnd;
    // Slot n is the lexer's keyword set n; nullptr for an empty slot.
    std::array<const char*, kKeywordSlots> keywords{};
    // Filled by theme loads; the first slot whose style number is 0 ends the list.
    std::array<StyleDef, kLanguageStyleSlots> styles{};
};

// True when the marker is present; an empty marker counts as none.
inline bool HasMarker(const char* marker) { return marker != nullptr && marker[0] != '\0'; }

}  // namespace kelpo
