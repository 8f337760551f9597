// Fuzz entry for theme files: any bytes are applied to the style stores or refused, a refused
// theme changes nothing, and any style string parses within its limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "lang/style_string.h"
#include "lang/theme_apply.h"

namespace {

constexpr kelpo::ColorRef kHighlight = 0x00D77800;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The whole input as one style string, with a font buffer that has a guard byte past its end.
    kelpo::StyleDef style;
    char font[33] = {};
    font[32] = '\x5A';
    kelpo::ParseStyleString(text, style, std::span<char>(font, 32));
    if (font[32] != '\x5A' || std::memchr(font, '\0', 32) == nullptr) std::abort();

    // Fewer language stores than positions: a group naming a later one must be passed over.
    std::vector<kelpo::LanguageStyleSlots> languages(size % 2 == 0 ? kelpo::kThemeLanguageCount : 5);
    std::vector<kelpo::LanguageStyleSlots*> pointers;
    for (kelpo::LanguageStyleSlots& slots : languages) pointers.push_back(&slots);
    kelpo::GlobalStyleSettings global;
    kelpo::ThemeDefaultColors colors{0x111111, 0x222222};
    const kelpo::ThemeStores stores{global, pointers, colors};
    if (!kelpo::ApplyThemeText(text, true, kHighlight, stores)) {
        if (colors.fore != 0x111111 || colors.back != 0x222222) std::abort();
        for (const kelpo::LanguageStyleSlots& slots : languages) {
            for (const kelpo::StyleDef& def : slots) {
                if (def.style != 0) std::abort();
            }
        }
    }
    return 0;
}
