// The program-wide part of a style theme: default font and style, the predefined styles and the
// colours of the editor's furniture, with the values every theme load starts from.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "lang/style_def.h"

namespace kelpo {

inline constexpr std::size_t kFontNameSize = 32;  // bytes, terminator included

// The highlight indicators whose colours a theme sets, in the order their colours are kept.
inline constexpr std::array<int, 8> kThemeIndicators = {31, 29, 28, 25, 24, 23, 22, 21};

// The editing component's value for "no colour": the view set-up falls back to another colour.
inline constexpr ColorRef kColorUnset = 0xFF000000;

struct GlobalStyleSettings {
    std::array<char, kFontNameSize> fontName{};  // narrow, zero-terminated
    StyleDef defaultStyle;      // style 32
    StyleDef lineNumberStyle;   // style 33
    StyleDef braceLightStyle;   // style 34
    StyleDef braceBadStyle;     // style 35
    StyleDef indentGuideStyle;  // style 37
    ColorRef currentLineBack = 0;
    ColorRef selectionBack = 0;
    ColorRef edgeColor = 0;
    ColorRef caretColor = 0;
    ColorRef whiteSpaceColor = 0;
    ColorRef foldMarginHighlightColor = 0;
    ColorRef foldMarginColor = 0;
    ColorRef bookmarkMarginBack = 0;
    ColorRef linkHoverColor = 0;
    ColorRef foldMarkerFore = 0;
    ColorRef foldMarkerBack = 0;
    ColorRef foldMarkerSelectedColor = 0;
    std::array<ColorRef, kThemeIndicators.size()> indicatorColors{};  // by kThemeIndicators
};

// Converts #RRGGBB as written in themes into a Windows colour value.
constexpr ColorRef RgbToColorRef(std::uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

// Sets the font name, the default style and every colour to the values a theme load starts from.
// The line-number, brace and indent-guide records are left alone. The selection colour is the
// system's highlight colour, which only the window layer can ask for.
void SetGlobalStyleDefaults(GlobalStyleSettings& settings, ColorRef systemHighlightColor);

// The stored colour of a theme indicator, or nullptr for an indicator that themes do not colour.
ColorRef* IndicatorColor(GlobalStyleSettings& settings, int indicator);
const ColorRef* IndicatorColor(const GlobalStyleSettings& settings, int indicator);

// Copies name into the font-name field, cut to what the field holds with its terminator.
void SetFontName(GlobalStyleSettings& settings, std::string_view name);

}  // namespace kelpo
