// Fuzz entry for the tag generator's output: cut into reads at any points, the stream gives the
// same symbols as in one read, each with a line the tree can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "aids/symbol_kinds.h"
#include "aids/tag_line.h"
#include "aids/tag_stream.h"

namespace {

struct Seen {
    kelpo::SymbolKind kind;
    std::string name;
    std::string scope;
    std::uint32_t line;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Symbols(std::string_view text, int language, std::size_t chunk) {
    std::vector<Seen> seen;
    kelpo::TagStream stream(language, kelpo::KindMask::All(), [&](const kelpo::Symbol& symbol) {
        if (symbol.line > kelpo::kMaxSymbolLine) std::abort();
        seen.push_back(Seen{symbol.kind, symbol.name, symbol.scope.value_or("\x01"), symbol.line});
    });
    for (std::size_t at = 0; at < text.size(); at += chunk) {
        // Each read in a buffer of its own, so reading past it is caught.
        const std::string read(text.substr(at, chunk));
        stream.Feed(read);
    }
    stream.Finish();
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte picks the document's language, the second the size of the reads.
    const int language = data[0] % 84 - 1;
    const std::size_t chunk = data[1] % 16 + 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    if (Symbols(text, language, chunk) != Symbols(text, language, text.size() + 1)) std::abort();
    return 0;
}
