// Text forms and repairs of individual settings values.
#include "base/settings_values.h"

#include <array>
#include <cwchar>

namespace kelpo {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Reads one signed decimal number the way "%d" does: blanks, sign, at least one digit.
std::optional<int> ReadInt(std::wstring_view text, std::size_t& pos) {
    while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == L'\r' || text[pos] == L'\n')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    if (pos >= text.size() || text[pos] < L'0' || text[pos] > L'9') {
        return std::nullopt;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        value = value * 10 + (text[pos] - L'0');
        if (value > 0xFFFFFFFFLL) {
            value = 0xFFFFFFFFLL;  // keeps going past the digits without overflowing
        }
        ++pos;
    }
    // Wraps like the C library does for 32-bit values ("%d" of 2147483648 gives INT_MIN).
    const auto bits = static_cast<unsigned long long>(negative ? -value : value);
    return static_cast<int>(static_cast<unsigned int>(bits & 0xFFFFFFFFu));
}

}  // namespace

std::optional<WindowPos> ParseWindowPos(std::wstring_view text) {
    std::array<int, 5> numbers{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != L',') {
                return std::nullopt;
            }
            ++pos;
        }
        const std::optional<int> number = ReadInt(text, pos);
        if (!number) {
            return std::nullopt;
        }
        numbers[i] = *number;
    }
    return WindowPos{{numbers[0], numbers[1], numbers[2], numbers[3]}, numbers[4]};
}

std::wstring FormatWindowPos(const WindowPos& pos) {
    return std::to_wstring(pos.rect.left) + L',' + std::to_wstring(pos.rect.top) + L',' +
           std::to_wstring(pos.rect.right) + L',' + std::to_wstring(pos.rect.bottom) + L',' +
           std::to_wstring(pos.showCmd);
}

FontSpec ParseFontSpec(std::wstring_view text) {
    constexpr std::size_t kMaxFaceLength = 31;
    FontSpec font;
    const std::size_t comma = text.find(L',');
    font.face = std::wstring(text.substr(0, std::min(comma, text.size())).substr(0, kMaxFaceLength));
    if (comma == std::wstring_view::npos) {
        return font;
    }
    std::size_t pos = comma + 1;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    const std::optional<int> points = ReadInt(text, pos);
    font.points = points.value_or(0);
    font.hasSize = true;
    return font;
}

std::wstring FormatFontSpec(std::wstring_view face, int points) {
    return std::wstring(face) + L", " + std::to_wstring(points);
}

int ClampMruSize(int value) {
    return value < 0 ? 0 : (value > kMaxMruSize ? kMaxMruSize : value);
}

int RepairSearchFlags(int value) { return value == 0 ? kDefaultSearchFlags : value; }

int RepairNewFileEncode(int value) { return value < 0 || value > 4 ? 0 : value; }

int RepairPaneSize(int value, int clientExtent, int defaultValue) {
    return value < 6 || value > clientExtent - 100 ? defaultValue : value;
}

WindowPos AcceptStoredWindowPos(const std::optional<WindowPos>& stored, const MonitorQueries& monitors) {
    if (!stored || !monitors.liesOnMonitor(stored->rect)) {
        return WindowPos{};
    }
    WindowPos pos = *stored;
    if (pos.showCmd == 0) {
        pos.showCmd = 1;  // a hidden main window at start would leave the user nothing to close
    }
    if (pos.rect.Width() < 500) {
        pos.rect.right = pos.rect.left + 500;
    }
    if (pos.rect.Height() < 300) {
        pos.rect.bottom = pos.rect.top + 300;
    }
    return pos;
}

WindowPos PlaceOnMonitor(WindowPos pos, const MonitorQueries& monitors) {
    if (monitors.liesOnMonitor(pos.rect)) {
        return pos;
    }
    constexpr int kWidth = 780;
    constexpr int kHeight = 580;
    const ScreenRect area = monitors.nearestMonitorArea(pos.rect);
    pos.rect.left = area.left + (area.Width() - kWidth) / 2;
    pos.rect.top = area.top + (area.Height() - kHeight) / 2 - 30;
    pos.rect.right = pos.rect.left + kWidth;
    pos.rect.bottom = pos.rect.top + kHeight;
    return pos;
}

}  // namespace kelpo
