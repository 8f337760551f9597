// Reads theme style strings token by token; unknown or malformed tokens are ignored.
#include "lang/style_string.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "lang/global_style_settings.h"

namespace kelpo {
namespace {

constexpr std::size_t kColorDigitsOffset = 6;  // after "fore:" or "back:" and one skipped character
constexpr std::size_t kColorDigits = 6;

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The colour of a "fore:" or "back:" token; digits beyond RRGGBB are ignored so the value
// always fits a colour.
std::optional<ColorRef> ReadTokenColor(std::string_view token) {
    if (token.size() <= kColorDigitsOffset) return std::nullopt;
    std::uint32_t rrggbb = 0;
    std::size_t digits = 0;
    for (const char c : token.substr(kColorDigitsOffset)) {
        const int value = HexDigitValue(c);
        if (value < 0 || digits == kColorDigits) break;
        rrggbb = rrggbb * 16 + static_cast<std::uint32_t>(value);
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return RgbToColorRef(rrggbb);
}

// Only the low 8 bits of the number count; keeping the sum modulo 256 while reading gives
// exactly those bits for a number of any length.
std::optional<std::uint8_t> ReadLowByteOfDecimal(std::string_view digitsText) {
    unsigned lowByte = 0;
    std::size_t digits = 0;
    for (const char c : digitsText) {
        if (c < '0' || c > '9') break;
        lowByte = (lowByte * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return static_cast<std::uint8_t>(lowByte);
}

void CopyFontName(std::string_view name, std::span<char> fontName) {
    if (name.empty() || fontName.empty()) return;
    const std::size_t length = std::min(name.size(), fontName.size() - 1);
    std::copy_n(name.begin(), length, fontName.begin());
    std::fill(fontName.begin() + static_cast<std::ptrdiff_t>(length), fontName.end(), '\0');
}

void SetColor(std::string_view token, ColorRef& color, std::uint8_t& flags, std::uint8_t setFlag) {
    if (const auto value = ReadTokenColor(token)) {
        color = *value;
        flags |= setFlag;
    }
}

void ApplyToken(std::string_view token, StyleDef& style, std::span<char> fontName) {
    if (token.empty()) return;
    switch (token.front()) {
    case 'b':
        if (token == "bold") {
            style.flags |= kStyleBold;
        } else if (token.starts_with("back:")) {
            SetColor(token, style.back, style.flags, kStyleBackSet);
        }
        break;
    case 'f':
        if (token.starts_with("fore:")) {
            SetColor(token, style.fore, style.flags, kStyleForeSet);
        } else if (token.starts_with("font:")) {
            CopyFontName(token.substr(5), fontName);
        }
        break;
    case 's':
        if (token.starts_with("size:")) {
            // A size of 0 means "not set", so it leaves the size as it was.
            if (const auto size = ReadLowByteOfDecimal(token.substr(5)); size && *size != 0) style.size = *size;
        }
        break;
    case 'i':
        style.flags |= kStyleItalic;
        break;
    case 'u':
        style.flags |= kStyleUnderline;
        break;
    case 'e':
        style.flags |= kStyleEolFilled;
        break;
    default:
        break;
    }
}

}  // namespace

void ParseStyleString(std::string_view text, StyleDef& style, std::span<char> fontName) {
    std::string_view rest = text.substr(0, kStyleStringMaxLength);
    while (true) {
        const std::size_t comma = rest.find(',');
        ApplyToken(rest.substr(0, comma), style, fontName);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
}

}  // namespace kelpo
