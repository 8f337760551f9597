// The output pane's lexer: the lexer library's error-list lexer with two rules of our own that
// colour any warning line orange and any error line red, whatever the tool's message format.
#pragma once

#include <optional>
#include <string_view>

#include "ILexer.h"

namespace kelpo {

inline constexpr int kOutputErrorStyle = 3;     // red
inline constexpr int kOutputWarningStyle = 51;  // orange

// The style our rules give a line (its text without or with its line end), or nothing when the
// error-list lexer's own style stands: lines starting with ">", "<", "!", "+" or "-" keep their
// command and difference styles; then "warning " anywhere wins over "error " anywhere.
std::optional<int> OutputLineStyle(std::string_view line);

// A new lexer, owned by the caller until handed to the editing component (SCI_SETILEXER);
// nullptr when the error-list lexer is not available.
Scintilla::ILexer5* CreateOutputLexer();

}  // namespace kelpo
