// Walks a theme document's `styles` groups and stores what each `style` entry says.
#include "lang/theme_apply.h"

#include <cstdint>
#include <limits>
#include <string>

#include "lang/style_string.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

constexpr int kDefaultStyleId = 32;

const char* TextOf(const XmlElement& element) {
    return element.Text() != nullptr ? element.Text() : "";
}

// The id attribute read as a decimal number; 0 when it is absent or not a number.
int IdOf(const XmlElement& element) {
    int id = 0;
    element.GetAttributeInt("id", &id);
    return id;
}

void ApplyLanguageGroup(const XmlElement& group, LanguageStyleSlots& slots) {
    std::size_t slot = 0;
    for (const XmlElement* entry = group.FirstChild("style"); entry != nullptr && slot < slots.size();
         entry = entry->NextSibling("style")) {
        const int id = IdOf(*entry);
        // A number that does not fit the style number would wrap, to 0 at worst, which ends the list.
        if (id <= 0 || id > std::numeric_limits<std::uint16_t>::max()) continue;
        // Each entry replaces its slot, so a later group for the same language leaves no flags behind.
        StyleDef style;
        style.style = static_cast<std::uint16_t>(id);
        ParseStyleString(TextOf(*entry), style);
        slots[slot++] = style;
    }
}

void SetIfFore(const StyleDef& style, ColorRef& target) {
    if (style.flags & kStyleForeSet) target = style.fore;
}

void SetIfBack(const StyleDef& style, ColorRef& target) {
    if (style.flags & kStyleBackSet) target = style.back;
}

void StoreGlobalEntry(int id, const StyleDef& style, GlobalStyleSettings& global) {
    switch (id) {
    case 32: global.defaultStyle = style; break;
    case 33: global.lineNumberStyle = style; break;
    case 34: global.braceLightStyle = style; break;
    case 35: global.braceBadStyle = style; break;
    case 37: global.indentGuideStyle = style; break;
    case 2098: SetIfBack(style, global.currentLineBack); break;
    case 2068: SetIfBack(style, global.selectionBack); break;
    case 2069: SetIfFore(style, global.caretColor); break;
    case 2365: SetIfBack(style, global.edgeColor); break;
    case 2250: SetIfBack(style, global.bookmarkMarginBack); break;
    case 2041:
        SetIfFore(style, global.foldMarkerFore);
        SetIfBack(style, global.foldMarkerBack);
        break;
    case 2292: SetIfFore(style, global.foldMarkerSelectedColor); break;
    case 2290:
        SetIfFore(style, global.foldMarginHighlightColor);
        SetIfBack(style, global.foldMarginColor);
        break;
    case 2084: SetIfFore(style, global.whiteSpaceColor); break;
    case 2682: SetIfFore(style, global.linkHoverColor); break;
    default:
        if (ColorRef* indicator = IndicatorColor(global, id)) SetIfBack(style, *indicator);
        break;
    }
}

void ApplyGlobalGroup(const XmlElement& group, GlobalStyleSettings& global) {
    for (const XmlElement* entry = group.FirstChild("style"); entry != nullptr; entry = entry->NextSibling("style")) {
        const int id = IdOf(*entry);
        if (id <= 0) continue;
        StyleDef style;
        style.style = static_cast<std::uint16_t>(id);  // read only for the records 32 to 37
        const std::span<char> font = id == kDefaultStyleId ? std::span<char>(global.fontName) : std::span<char>();
        ParseStyleString(TextOf(*entry), style, font);
        StoreGlobalEntry(id, style, global);
    }
}

LanguageStyleSlots* SlotsOfLanguage(const XmlElement& group, std::span<LanguageStyleSlots* const> languages) {
    const int id = IdOf(group);  // non-numeric text reads as 0, the first language
    if (id < 0 || id >= kThemeLanguageCount || static_cast<std::size_t>(id) >= languages.size()) return nullptr;
    return languages[static_cast<std::size_t>(id)];
}

void ResetStores(const ThemeStores& stores) {
    stores.global = GlobalStyleSettings{};
    for (LanguageStyleSlots* slots : stores.languages) {
        if (slots != nullptr) slots->fill(StyleDef{});
    }
}

}  // namespace

bool ApplyThemeDocument(const XmlDocument& document, bool reset, ColorRef systemHighlightColor,
                        const ThemeStores& stores) {
    // Checked before anything is cleared: a document that is no theme must not leave the
    // stores emptied behind a failed load.
    const XmlElement* root = document.FindPath("kelpo");
    if (root == nullptr) return false;

    if (reset) ResetStores(stores);
    SetGlobalStyleDefaults(stores.global, systemHighlightColor);

    for (const XmlElement* group = root->FirstChild("styles"); group != nullptr; group = group->NextSibling("styles")) {
        if (group->GetAttribute("id") == nullptr) {
            ApplyGlobalGroup(*group, stores.global);
        } else if (LanguageStyleSlots* slots = SlotsOfLanguage(*group, stores.languages)) {
            ApplyLanguageGroup(*group, *slots);
        }
    }

    stores.defaultColors = {stores.global.defaultStyle.fore, stores.global.defaultStyle.back};
    return true;
}

std::unique_ptr<XmlDocument> ParseThemeText(std::string_view text) {
    // The parser reads elements up to a terminating zero, so it gets a terminated copy.
    const std::string terminated(text);
    auto document = std::make_unique<XmlDocument>();
    if (!document->Parse(terminated.c_str(), static_cast<std::ptrdiff_t>(terminated.size()))) return nullptr;
    return document;
}

bool ApplyThemeText(std::string_view text, bool reset, ColorRef systemHighlightColor, const ThemeStores& stores) {
    const std::unique_ptr<XmlDocument> document = ParseThemeText(text);
    return document != nullptr && ApplyThemeDocument(*document, reset, systemHighlightColor, stores);
}

bool ApplyThemeFile(const wchar_t* path, bool reset, ColorRef systemHighlightColor, const ThemeStores& stores) {
    XmlDocument document;
    return path != nullptr && document.Load(path) && ApplyThemeDocument(document, reset, systemHighlightColor, stores);
}

}  // namespace kelpo
