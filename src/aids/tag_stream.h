// The tag generator's output as it arrives from a pipe, in reads of any size, turned into whole lines
// and then into symbols.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "aids/symbol_kinds.h"
#include "aids/tag_line.h"

namespace kelpo {

// Cuts a byte stream into lines of any length. A line ends at CR, LF or CR LF, also when the CR and
// the LF arrive in different reads; the line end is not part of the line and empty lines are dropped.
class TagLineSplitter {
public:
    using LineHandler = std::function<void(std::string_view)>;

    // Hands every line the chunk completes; an unfinished last line waits for the next chunk.
    void Feed(std::string_view chunk, const LineHandler& onLine);
    // The end of the output: hands the last line even when it has no line end.
    void Finish(const LineHandler& onLine);

private:
    void Deliver(std::string_view line, const LineHandler& onLine);

    std::string pending_;  // the start of a line whose end has not arrived yet
};

// Splits, parses and filters: each symbol of a passing kind goes to the handler, in ctags's order.
class TagStream {
public:
    using SymbolHandler = std::function<void(const Symbol&)>;

    TagStream(int language, KindMask mask, SymbolHandler onSymbol);
    TagStream(const TagStream&) = delete;
    TagStream& operator=(const TagStream&) = delete;

    void Feed(std::string_view chunk);
    void Finish();

private:
    void ParseLine(std::string_view line);

    int language_;
    KindMask mask_;
    SymbolHandler onSymbol_;
    TagLineSplitter splitter_;
    TagLineSplitter::LineHandler onLine_;
};

}  // namespace kelpo
