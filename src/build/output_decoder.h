// Turns the build engine's output, ANSI bytes in chunks of any size, into UTF-8 text of whole
// lines for the output pane, which holds UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "doc/ansi_code_page.h"

namespace kelpo {

class OutputDecoder {
public:
    explicit OutputDecoder(AnsiCodePage codePage) : codePage_(std::move(codePage)) {}

    // The converted text of every line the chunk completes, line ends kept; a partial last line
    // waits for the next chunk (a line split anywhere, even inside a double-byte character,
    // comes out whole).
    std::string Feed(std::string_view chunk);
    // What is left after the last chunk: a last line without a line end.
    std::string Flush();

private:
    std::string Convert(std::string_view ansi) const;

    AnsiCodePage codePage_;
    std::string pending_;
};

}  // namespace kelpo
