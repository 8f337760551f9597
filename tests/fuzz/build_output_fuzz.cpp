// Fuzz entry for the build output on its way to the pane: Ninja's lines through the engine's
// filter, and the engine's bytes cut into reads anywhere, decoded into the same lines as in one read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "build/output_decoder.h"
#include "build_engine/ninja_output.h"
#include "doc/fake_ansi_code_page.h"

namespace {

std::string Decoded(std::string_view bytes, std::size_t chunk) {
    kelpo::OutputDecoder decoder(kelpo::testing_support::Latin1CodePage());
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        const std::string read(bytes.substr(at, chunk));  // its own buffer, so over-reads show
        text += decoder.Feed(read);
    }
    return text + decoder.Flush();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

    kelpo::engine::NinjaOutputFilter filter((data[0] & 1) != 0);
    int compiles = 0;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        if (const std::optional<std::string> shown = filter.Filter(bytes.substr(start, end - start))) {
            if (shown->find('\n') != std::string::npos) std::abort();
        }
        if (filter.CompileCount() < compiles) std::abort();
        compiles = filter.CompileCount();
        start = end + 1;
    }

    if (Decoded(bytes, data[1] % 16 + 1) != Decoded(bytes, bytes.size() + 1)) std::abort();
    return 0;
}
