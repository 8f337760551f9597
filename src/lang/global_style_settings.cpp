// Defaults of the program-wide theme settings and access to the indicator colours.
#include "lang/global_style_settings.h"

#include <algorithm>

namespace kelpo {
namespace {

constexpr std::array<ColorRef, kThemeIndicators.size()> kDefaultIndicatorColors = {
    RgbToColorRef(0xFF0000), RgbToColorRef(0x00FF00), RgbToColorRef(0x0000FF),
    RgbToColorRef(0x00FFFF), RgbToColorRef(0xFF8000), RgbToColorRef(0xFFFF00),
    RgbToColorRef(0x8000FF), RgbToColorRef(0x008000),
};

int IndicatorIndex(int indicator) {
    const auto* found = std::find(kThemeIndicators.begin(), kThemeIndicators.end(), indicator);
    return found == kThemeIndicators.end() ? -1 : static_cast<int>(found - kThemeIndicators.begin());
}

}  // namespace

void SetGlobalStyleDefaults(GlobalStyleSettings& settings, ColorRef systemHighlightColor) {
    SetFontName(settings, "Courier New");
    settings.defaultStyle = StyleDef{};
    settings.defaultStyle.style = 32;
    settings.defaultStyle.size = 10;
    settings.defaultStyle.fore = RgbToColorRef(0x000000);
    settings.defaultStyle.back = RgbToColorRef(0xCEEACA);
    settings.currentLineBack = kColorUnset;
    settings.selectionBack = systemHighlightColor;
    settings.edgeColor = RgbToColorRef(0xC0C0C0);
    settings.caretColor = RgbToColorRef(0x000000);
    settings.whiteSpaceColor = RgbToColorRef(0x000000);
    settings.foldMarginHighlightColor = RgbToColorRef(0xFFFFFF);
    settings.foldMarginColor = RgbToColorRef(0x808080);
    settings.bookmarkMarginBack = kColorUnset;
    settings.linkHoverColor = RgbToColorRef(0x808080);
    settings.foldMarkerFore = RgbToColorRef(0xFFFFFF);
    settings.foldMarkerBack = RgbToColorRef(0x808080);
    settings.foldMarkerSelectedColor = RgbToColorRef(0xFF0000);
    settings.indicatorColors = kDefaultIndicatorColors;
}

ColorRef* IndicatorColor(GlobalStyleSettings& settings, int indicator) {
    const int index = IndicatorIndex(indicator);
    return index < 0 ? nullptr : &settings.indicatorColors[static_cast<std::size_t>(index)];
}

const ColorRef* IndicatorColor(const GlobalStyleSettings& settings, int indicator) {
    const int index = IndicatorIndex(indicator);
    return index < 0 ? nullptr : &settings.indicatorColors[static_cast<std::size_t>(index)];
}

void SetFontName(GlobalStyleSettings& settings, std::string_view name) {
    const std::size_t length = std::min(name.size(), settings.fontName.size() - 1);
    std::copy_n(name.begin(), length, settings.fontName.begin());
    std::fill(settings.fontName.begin() + static_cast<std::ptrdiff_t>(length), settings.fontName.end(), '\0');
}

}  // namespace kelpo
