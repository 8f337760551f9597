// Applying a style theme document to the program's style stores: the global settings and the
// style slots of every catalogue language.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "lang/global_style_settings.h"
#include "lang/style_def.h"

namespace kelpo {

class XmlDocument;

using LanguageStyleSlots = std::array<StyleDef, kLanguageStyleSlots>;

// Language ids a theme group may name (the catalogue's positions).
inline constexpr int kThemeLanguageCount = 82;

// The default style's colours as a theme load publishes them for the self-painting panes.
struct ThemeDefaultColors {
    ColorRef fore = 0;
    ColorRef back = 0;
};

// Where a theme load writes. languages holds the style slots of each catalogue position; a null
// entry, or a position past its end, is not styled.
struct ThemeStores {
    GlobalStyleSettings& global;
    std::span<LanguageStyleSlots* const> languages;
    ThemeDefaultColors& defaultColors;
};

// Applies a parsed theme. With reset, the global settings and every language's slots are cleared
// first. Fails, changing nothing, when the document has no `kelpo` root. systemHighlightColor is
// the selection colour that a theme without a "Selected text colour" entry leaves in force.
bool ApplyThemeDocument(const XmlDocument& document, bool reset, ColorRef systemHighlightColor,
                        const ThemeStores& stores);

// The document parsed from a theme's text, or null when the text cannot be parsed. The text
// need not be zero-terminated.
std::unique_ptr<XmlDocument> ParseThemeText(std::string_view text);

// Parses and applies; a text that cannot be parsed fails and changes nothing.
bool ApplyThemeText(std::string_view text, bool reset, ColorRef systemHighlightColor, const ThemeStores& stores);

// Reads, parses and applies a theme file; an unreadable or unparsable file fails and changes nothing.
bool ApplyThemeFile(const wchar_t* path, bool reset, ColorRef systemHighlightColor, const ThemeStores& stores);

}  // namespace kelpo
