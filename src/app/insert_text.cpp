// Composition of the colour and date-and-time texts, free of any window.
#include "app/insert_text.h"

#include <algorithm>
#include <cstdio>

namespace kelpo {

std::string FormatColourHex(std::uint32_t colorRef) {
    const unsigned red = colorRef & 0xFF;
    const unsigned green = (colorRef >> 8) & 0xFF;
    const unsigned blue = (colorRef >> 16) & 0xFF;
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", (red << 16) | (green << 8) | blue);
    return text;
}

std::vector<std::string> CleanListItems(const std::vector<std::string>& items) {
    std::vector<std::string> clean;
    for (const std::string& item : items) {
        std::string text;
        for (const char c : item) {
            if (c != '|' && c != '\r' && c != '\n' && c != '\0') {
                text.push_back(c);
            }
        }
        if (!text.empty() && std::find(clean.begin(), clean.end(), text) == clean.end()) {
            clean.push_back(std::move(text));
        }
    }
    return clean;
}

std::string JoinListItems(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        if (!joined.empty()) {
            joined.push_back('|');
        }
        joined += item;
    }
    return joined;
}

std::optional<int> IndexOfListItem(const std::vector<std::string>& items, std::string_view text) {
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - items.begin());
}

}  // namespace kelpo
