// The file explorer's window-free rules.
#include "panes/explorer_rules.h"

#include <algorithm>
#include <cwchar>

namespace kelpo {
namespace {

constexpr int kLastNewFileNumber = 999;

std::wstring_view TrimLeadingBlanks(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    return first == std::wstring_view::npos ? std::wstring_view() : text.substr(first);
}

std::wstring_view TrimTrailingBlanks(std::wstring_view text) {
    const std::size_t last = text.find_last_not_of(L" \t");
    return last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `at`, moving past them.
bool ReadHex(std::wstring_view text, std::size_t& at, int digits, std::uint32_t& value) {
    if (at + static_cast<std::size_t>(digits) > text.size()) return false;
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexValue(text[at++]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool Expect(std::wstring_view text, std::size_t& at, wchar_t c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
}

bool ReadGuid(std::wstring_view text, std::size_t& at, SortColumnValue& value) {
    std::uint32_t part = 0;
    if (!Expect(text, at, L'{') || !ReadHex(text, at, 8, value.data1) || !Expect(text, at, L'-')) return false;
    if (!ReadHex(text, at, 4, part)) return false;
    value.data2 = static_cast<std::uint16_t>(part);
    if (!Expect(text, at, L'-') || !ReadHex(text, at, 4, part)) return false;
    value.data3 = static_cast<std::uint16_t>(part);
    if (!Expect(text, at, L'-')) return false;
    for (std::size_t i = 0; i < value.data4.size(); ++i) {
        if (i == 2 && !Expect(text, at, L'-')) return false;
        if (!ReadHex(text, at, 2, part)) return false;
        value.data4[i] = static_cast<std::uint8_t>(part);
    }
    return Expect(text, at, L'}');
}

// A decimal number, with an optional minus when `sign`; at most 32 bits.
bool ReadNumber(std::wstring_view text, std::size_t& at, bool sign, long long& value) {
    bool negative = false;
    if (sign && at < text.size() && text[at] == L'-') {
        negative = true;
        ++at;
    }
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
        value = value * 10 + (text[at] - L'0');
        if (value > 0xFFFFFFFFLL) return false;
        ++at;
    }
    if (negative) value = -value;
    return at > start;
}

}  // namespace

std::wstring NumberedFileName(std::wstring_view baseName, int number) {
    if (number <= 1) return std::wstring(baseName);
    const std::size_t dot = baseName.rfind(L'.');
    const std::size_t split = dot == std::wstring_view::npos || dot == 0 ? baseName.size() : dot;
    std::wstring name(baseName.substr(0, split));
    name += L" (" + std::to_wstring(number) + L")";
    name += baseName.substr(split);
    return name;
}

std::optional<std::wstring> FreeNewFileName(std::wstring_view baseName,
                                            const std::function<bool(const std::wstring&)>& exists) {
    for (int number = 1; number <= kLastNewFileNumber; ++number) {
        std::wstring name = NumberedFileName(baseName, number);
        if (!exists(name)) return name;
    }
    return std::nullopt;
}

FilterLine ParseFilterLine(std::wstring_view line) {
    const std::size_t open = line.find(L'(');
    if (open == std::wstring_view::npos) {
        return {std::wstring(line), std::wstring(line)};
    }
    std::wstring_view inside = line.substr(open + 1);
    inside = inside.substr(0, inside.find(L')'));
    return {std::wstring(TrimTrailingBlanks(line.substr(0, open))), std::wstring(TrimLeadingBlanks(inside))};
}

bool HandToShell(OpenMode mode, std::wstring_view patterns, bool matches) {
    if (patterns.empty()) return false;
    return mode == OpenMode::Exclude ? matches : !matches;
}

std::wstring FormatSortColumn(const SortColumnValue& value) {
    wchar_t text[96];
    std::swprintf(text, 96, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}|%u|%d", value.data1, value.data2,
                  value.data3, value.data4[0], value.data4[1], value.data4[2], value.data4[3], value.data4[4],
                  value.data4[5], value.data4[6], value.data4[7], value.pid, value.direction);
    return text;
}

std::optional<SortColumnValue> ParseSortColumn(std::wstring_view text) {
    constexpr std::size_t kShortest = 19;
    SortColumnValue value;
    std::size_t at = 0;
    long long pid = 0;
    long long direction = 0;
    if (text.size() < kShortest || !ReadGuid(text, at, value) || !Expect(text, at, L'|') ||
        !ReadNumber(text, at, false, pid) || !Expect(text, at, L'|') || !ReadNumber(text, at, true, direction) ||
        at != text.size()) {
        return std::nullopt;
    }
    value.pid = static_cast<std::uint32_t>(pid);
    value.direction = static_cast<int>(direction);
    return value;
}

std::vector<std::wstring> FilterListLines(std::wstring_view text) {
    const std::size_t last = text.find_last_not_of(L"\r\n \t");
    text = last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
    std::vector<std::wstring> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(L'\n', at), text.size());
        std::wstring_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        lines.emplace_back(line);
        at = end + 1;
    }
    return lines;
}

std::wstring TrimPatterns(std::wstring_view text) { return std::wstring(TrimLeadingBlanks(text)); }

std::vector<int> ParseButtonLayout(std::wstring_view text, const std::vector<int>& available) {
    constexpr std::size_t kMostItems = 64;
    std::vector<int> commands;
    bool any = false;
    std::size_t at = 0;
    for (std::size_t items = 0; at < text.size() && items < kMostItems; ++items) {
        const std::size_t end = std::min(text.find(L' ', at), text.size());
        const std::wstring_view item = text.substr(at, end - at);
        at = end + 1;
        if (item == L"|") {
            commands.push_back(0);
            continue;
        }
        int command = 0;
        const bool digits = !item.empty() && item.size() < 6 &&
                            std::all_of(item.begin(), item.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
        for (wchar_t c : item) command = digits ? command * 10 + (c - L'0') : 0;
        if (digits && std::find(available.begin(), available.end(), command) != available.end()) {
            commands.push_back(command);
            any = true;
        }
    }
    return any ? commands : std::vector<int>();
}

std::wstring FormatButtonLayout(const std::vector<int>& commands) {
    std::wstring text;
    for (int command : commands) {
        if (!text.empty()) text += L' ';
        text += command == 0 ? std::wstring(L"|") : std::to_wstring(command);
    }
    return text;
}

}  // namespace kelpo
