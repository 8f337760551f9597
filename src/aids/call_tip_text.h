// The text side of call tips: where the call around the caret starts, the tip shown for a
// signature, and which parameter the caret is in. Plain functions on the caret's line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kelpo {

// Letters, digits and "_": the characters of words for completion and call-tip names.
bool IsCompletionWordChar(char c);

// The function whose argument list holds the caret, found on the caret's line: its name, the
// name's offset in the line, and the offset just after the name (blanks before the "(" skipped).
struct CallTipSite {
    std::string word;
    int wordStart = 0;
    int wordEnd = 0;
};
std::optional<CallTipSite> FindCallTipSite(std::string_view line, int caretOffset);

// The text shown for one entry: with several signatures the up arrow (\1) leads and a down arrow
// (\2) follows the line break that replaces the "|" before the description.
std::string ComposeCallTip(std::string_view entry, int signatureCount);

// Commas at parenthesis level 1 in the text from the call's name to the caret.
int CountArgumentCommas(std::string_view fromNameToCaret);

// The byte range of the tip to highlight as the current parameter after `commas` commas.
std::pair<int, int> ParameterHighlight(std::string_view tip, int commas);

}  // namespace kelpo
