// Tag lines: "name<TAB>file<TAB>address;"<TAB>kind<TAB>key:value...", the address a line number or a
// "/^pattern$/" search.
#include "aids/tag_line.h"

namespace kelpo {
namespace {

constexpr char kTab = '\t';

// Splits off the text up to the next tab; false when there is no tab.
bool TakeField(std::string_view& rest, std::string_view& field) {
    const std::size_t tab = rest.find(kTab);
    if (tab == std::string_view::npos) return false;
    field = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    return true;
}

// What follows the address, or nothing when the address has no recognisable end.
std::optional<std::string_view> SkipAddress(std::string_view rest, std::optional<std::string>& pattern) {
    std::size_t end = 0;
    if (rest.starts_with("/^")) {
        // The pattern ends at the last "$" of the line, which must close it with "/".
        const std::size_t dollar = rest.rfind('$');
        if (dollar == std::string_view::npos || rest.substr(dollar, 2) != "$/") return std::nullopt;
        pattern = std::string(rest.substr(2, dollar - 2));
        end = dollar + 2;
    } else {
        const std::size_t semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) return std::nullopt;
        end = semicolon;
    }
    rest.remove_prefix(end);
    if (rest.starts_with(";\"")) rest.remove_prefix(2);
    return rest;
}

// A decimal line number in range; nothing for an empty, signed, non-decimal or too large value.
std::optional<std::uint32_t> ParseLineNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > kMaxSymbolLine) return std::nullopt;
    }
    return value;
}

// Applies one "key:value" field or kind letter; false when the token makes the line unusable.
bool ApplyToken(std::string_view token, int language, Symbol& symbol) {
    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) {
        // A letter the language does not map is kind 0; anything else in its place is no tag line.
        const char letter = token.front();
        if (!((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z'))) return false;
        symbol.kind = KindOfTagLetter(language, letter);
        return true;
    }
    const std::string_view key = token.substr(0, colon);
    const std::string_view value = token.substr(colon + 1);
    if (key == "line") {
        const std::optional<std::uint32_t> line = ParseLineNumber(value);
        if (!line) return false;
        symbol.line = *line;
    } else if (key == "class" || key == "struct" || key == "union") {
        symbol.scope = std::string(value);
    }
    return true;
}

}  // namespace

std::optional<Symbol> ParseTagLine(std::string_view line, int language) {
    if (line.empty() || line.front() == '!') return std::nullopt;
    std::string_view rest = line;
    std::string_view name;
    std::string_view file;
    if (!TakeField(rest, name) || !TakeField(rest, file) || name.empty()) return std::nullopt;
    Symbol symbol;
    const std::optional<std::string_view> fields = SkipAddress(rest, symbol.pattern);
    if (!fields) return std::nullopt;
    symbol.name = std::string(name);
    rest = *fields;
    while (!rest.empty()) {
        const std::size_t tab = rest.find(kTab);
        const std::string_view token = rest.substr(0, tab);
        rest.remove_prefix(tab == std::string_view::npos ? rest.size() : tab + 1);
        if (!token.empty() && !ApplyToken(token, language, symbol)) return std::nullopt;
    }
    return symbol;
}

}  // namespace kelpo
