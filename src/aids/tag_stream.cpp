// Line splitting across pipe reads: whole lines inside a read are handed on without copying; only
// the unfinished tail is kept, however long it grows. Every CR and LF ends a line and empty lines are
// dropped, so a CR LF pair split between two reads needs no state.
#include "aids/tag_stream.h"

#include <utility>

namespace kelpo {

void TagLineSplitter::Deliver(std::string_view line, const LineHandler& onLine) {
    if (!line.empty()) onLine(line);
}

void TagLineSplitter::Feed(std::string_view chunk, const LineHandler& onLine) {
    while (!chunk.empty()) {
        const std::size_t end = chunk.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            pending_.append(chunk);
            return;
        }
        if (pending_.empty()) {
            Deliver(chunk.substr(0, end), onLine);
        } else {
            pending_.append(chunk.substr(0, end));
            Deliver(pending_, onLine);
            pending_.clear();
        }
        chunk.remove_prefix(end + 1);
    }
}

void TagLineSplitter::Finish(const LineHandler& onLine) {
    Deliver(pending_, onLine);
    pending_.clear();
}

TagStream::TagStream(int language, KindMask mask, SymbolHandler onSymbol)
    : language_(language), mask_(mask), onSymbol_(std::move(onSymbol)),
      onLine_([this](std::string_view line) { ParseLine(line); }) {}

void TagStream::ParseLine(std::string_view line) {
    const std::optional<Symbol> symbol = ParseTagLine(line, language_);
    if (symbol && mask_.Passes(symbol->kind)) onSymbol_(*symbol);
}

void TagStream::Feed(std::string_view chunk) { splitter_.Feed(chunk, onLine_); }

void TagStream::Finish() { splitter_.Finish(onLine_); }

}  // namespace kelpo
