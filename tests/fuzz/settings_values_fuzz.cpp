// Fuzz entry for the values read from the settings file and from a tool's "config.ini": a window
// position and a font read back as they are written, and token substitution takes any value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/settings_values.h"
#include "build/tool_values.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> pieces = kelpo::fuzz::Pieces(data, size, 3);
    const std::wstring value = kelpo::fuzz::Widen(pieces[0]);

    if (const std::optional<kelpo::WindowPos> pos = kelpo::ParseWindowPos(value)) {
        if (kelpo::ParseWindowPos(kelpo::FormatWindowPos(*pos)) != pos) std::abort();
    }
    const kelpo::FontSpec font = kelpo::ParseFontSpec(value);
    if (font.face.size() > 31) std::abort();
    if (font.hasSize && font.face.find(L',') == std::wstring::npos) {
        const kelpo::FontSpec again = kelpo::ParseFontSpec(kelpo::FormatFontSpec(font.face, font.points));
        if (again.face != font.face || again.points != font.points) std::abort();
    }

    const std::wstring folder = kelpo::fuzz::Widen(pieces[1]);
    const std::wstring arch = kelpo::fuzz::Widen(pieces[2]);
    kelpo::SubstituteToolTokens(value, folder, arch);
    return 0;
}
