// Where a compiler message or a search result line points: "file(line): text" or
// "file(line) : text", as the output and result panes show them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

struct MessageLocation {
    std::wstring file;
    int line = 0;  // 1-based; 0 when the line names no number
};

// Leading blanks and tabs and trailing line ends are ignored. The first ") : " wins over any
// "): "; the file is the text before the last "(" ahead of it, the line the digits after that
// "(". Nothing when the text has neither form or no "(" before it.
std::optional<MessageLocation> ParseMessageLine(std::wstring_view text);

}  // namespace kelpo
