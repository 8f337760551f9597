// Expansion of a snippet body: variables replaced, line ends made the document's, later lines
// indented like the caret's line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "aids/variables_lookup.h"

namespace kelpo {

// The editing component's line-end modes.
enum class SnippetLineEnd : int { CrLf = 0, Cr = 1, Lf = 2 };

// The expanded text. "$(Name)" and "$(Name:upper)" / "$(Name:lower)" take the variable's value;
// an unknown name, a missing ")" or a name of 256 bytes or more stays literal.
std::string ExpandSnippet(std::string_view text, std::string_view indentation, SnippetLineEnd lineEnd,
                          const VariableContext& context);

// The indentation of `columns` columns: with tabs, whole tab widths as tabs and the rest spaces.
std::string IndentationText(int columns, int tabWidth, bool useTabs);

// The byte offset of the first "|", where the caret goes; npos when there is none.
std::size_t CaretMarkOffset(std::string_view text);

}  // namespace kelpo
