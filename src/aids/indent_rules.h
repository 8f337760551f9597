// What a line opens or closes for automatic indentation, worked out from its text and styles with
// the language's four indentation rules.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "lang/language_def.h"

namespace kelpo {

enum class LineIndentState { None, BlockStart, BlockEnd, KeywordStart };

// At most this many runs of one style are looked at per line and question.
inline constexpr std::size_t kMaxLineParts = 20;

// A word list (words separated by blanks) matches a part that equals one of its words; a list
// that does not start with a letter is a set of characters and matches a part whose first
// character is among them. An empty list matches nothing.
bool RuleMatchesPart(std::string_view words, std::string_view part);

// The runs of consecutive characters of `text` whose style is `style`, in order, at most
// `maxParts`. `styles` holds one style per character of `text`.
std::vector<std::string_view> LinePartsInStyle(std::string_view text, std::span<const unsigned char> styles, int style,
                                               std::size_t maxParts = kMaxLineParts);

LineIndentState IndentStateOf(std::string_view text, std::span<const unsigned char> styles,
                              const LanguageDef& language);

// True when the language has any of the rules that indentation by blocks looks at.
bool HasBlockRules(const LanguageDef& language);

// True when `selection` may be marked as a word: only word bytes (ASCII letters and digits, "_",
// "`", 127 and every byte from 128), with no word byte right before or after it (0 for none).
bool IsMarkableWord(std::string_view selection, char before, char after);

}  // namespace kelpo
