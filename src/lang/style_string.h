// The style strings of themes: comma-separated tokens such as "fore:#FF0000,back:#FFF8E7,bold".
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "lang/style_def.h"

namespace kelpo {

// Only this many characters of a style string are read; the rest is ignored.
inline constexpr std::size_t kStyleStringMaxLength = 255;

// Applies the tokens of text to style: flags and colours are added, the size is replaced.
// The style number is not touched. A "font:" token is written to fontName, cut to leave room
// for the terminator, when the caller gives a buffer; an empty span ignores fonts.
void ParseStyleString(std::string_view text, StyleDef& style, std::span<char> fontName = {});

}  // namespace kelpo
