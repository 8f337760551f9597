// One style record of a theme: how one style number of the editing component looks.
#pragma once

#include <cstdint>

namespace kelpo {

// Windows colour value: red in the low byte, then green, then blue; top byte 0.
using ColorRef = std::uint32_t;

enum StyleFlags : std::uint8_t {
    kStyleBold = 1 << 0,
    kStyleItalic = 1 << 1,
    kStyleUnderline = 1 << 2,
    kStyleEolFilled = 1 << 3,
    kStyleForeSet = 1 << 4,
    kStyleBackSet = 1 << 5,
};

struct StyleDef {
    std::uint16_t style = 0;  // style number; 0 ends a language's slot list
    std::uint8_t size = 0;    // points; 0 = not set
    std::uint8_t flags = 0;   // StyleFlags
    ColorRef fore = 0;
    ColorRef back = 0;
};

inline constexpr int kLanguageStyleSlots = 33;

}  // namespace kelpo
