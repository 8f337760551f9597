// UTF-8 ⇄ UTF-16 written by hand rather than through the system, so the load
// and save paths keep unpaired surrogates and can be tested anywhere.
#include "base/text_conversion.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace kelpo {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

std::uint64_t Load64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Code units read from file bytes; only whole pairs are ever counted.
template <ByteOrder kOrder>
struct ByteUnits {
    // Four units are ASCII when their high bytes are zero and their low bytes below 0x80.
    static constexpr std::uint64_t kNonAscii =
        kOrder == ByteOrder::LittleEndian ? 0xFF80FF80FF80FF80ULL : 0x80FF80FF80FF80FFULL;
    static constexpr unsigned kLowByteShift = kOrder == ByteOrder::LittleEndian ? 0 : 8;
    const unsigned char* bytes;
    std::size_t count;
    char16_t operator[](std::size_t i) const {
        const unsigned first = bytes[2 * i];
        const unsigned second = bytes[2 * i + 1];
        return static_cast<char16_t>(kOrder == ByteOrder::LittleEndian ? first | second << 8 : first << 8 | second);
    }
    std::uint64_t FourUnits(std::size_t i) const { return Load64(bytes + 2 * i); }
};

struct CodeUnits {
    static constexpr std::uint64_t kNonAscii = 0xFF80FF80FF80FF80ULL;
    static constexpr unsigned kLowByteShift = 0;
    const char16_t* units;
    std::size_t count;
    char16_t operator[](std::size_t i) const { return units[i]; }
    std::uint64_t FourUnits(std::size_t i) const {
        std::uint64_t v;
        std::memcpy(&v, units + i, sizeof v);
        return v;
    }
};

// The block paths below read four units as one little-endian word.
constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

template <class Units>
std::size_t Utf8LengthOf(const Units& units) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < units.count; ++i) {
        if constexpr (kLittleEndianHost) {
            while (units.count - i >= 4 && (units.FourUnits(i) & Units::kNonAscii) == 0) {
                length += 4;
                i += 4;
            }
            if (i == units.count) break;
        }
        const char16_t u = units[i];
        if (u < 0x80) {
            length += 1;
        } else if (u < 0x800) {
            length += 2;
        } else if (IsHighSurrogate(u) && i + 1 < units.count && IsLowSurrogate(units[i + 1])) {
            length += 4;
            ++i;
        } else {
            length += 3;  // also an unpaired surrogate
        }
    }
    return length;
}

char* PutUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | cp >> 6);
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | cp >> 12);
        *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | cp >> 18);
        *out++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

template <class Units>
char* WriteUtf8(const Units& units, char* out) {
    for (std::size_t i = 0; i < units.count; ++i) {
        if constexpr (kLittleEndianHost) {
            std::uint64_t four;
            while (units.count - i >= 4 && ((four = units.FourUnits(i)) & Units::kNonAscii) == 0) {
                for (unsigned k = 0; k < 4; ++k) *out++ = static_cast<char>(four >> (16 * k + Units::kLowByteShift));
                i += 4;
            }
            if (i == units.count) break;
        }
        const char32_t u = units[i];
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
        } else if (IsHighSurrogate(u) && i + 1 < units.count && IsLowSurrogate(units[i + 1])) {
            out = PutUtf8(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
            ++i;
        } else {
            out = PutUtf8(u, out);
        }
    }
    return out;
}

template <class Units>
std::string UnitsToUtf8(const Units& units, bool strayByte) {
    static constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
    const std::size_t length = Utf8LengthOf(units) + (strayByte ? 3 : 0);
    std::string text(length, '\0');
    char* out = WriteUtf8(units, text.data());
    if (strayByte) std::memcpy(out, kReplacementUtf8, 3);
    return text;
}

// Decodes UTF-8 into code units handed to put; see the header for ill-formed input.
template <class Put>
void DecodeUtf8(std::string_view text, Put&& put) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        while (n - i >= 8 && (Load64(p + i) & kHighBits) == 0) {
            for (std::size_t k = 0; k < 8; ++k) put(static_cast<char16_t>(p[i + k]));
            i += 8;
        }
        if (i == n) break;
        const unsigned lead = p[i];
        if (lead < 0x80) {
            put(static_cast<char16_t>(lead));
            ++i;
            continue;
        }
        int continuations = 0;
        unsigned low = 0x80;   // range allowed for the second byte; the rest are 80-BF
        unsigned high = 0xBF;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            cp = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;  // ED is left open on purpose: surrogate forms decode
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            cp = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            put(kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool complete = true;
        for (int k = 0; k < continuations; ++k, ++j) {
            if (j >= n || p[j] < low || p[j] > high) {
                complete = false;
                break;
            }
            cp = cp << 6 | (p[j] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        i = j;
        if (!complete) {
            put(kReplacement);
        } else if (cp < 0x10000) {
            put(static_cast<char16_t>(cp));
        } else {
            put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
    }
}

}  // namespace

std::string Utf16BytesToUtf8(std::string_view bytes, ByteOrder order) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t count = bytes.size() / 2;
    const bool strayByte = bytes.size() % 2 != 0;
    if (order == ByteOrder::LittleEndian) return UnitsToUtf8(ByteUnits<ByteOrder::LittleEndian>{p, count}, strayByte);
    return UnitsToUtf8(ByteUnits<ByteOrder::BigEndian>{p, count}, strayByte);
}

std::string Utf16ToUtf8(std::u16string_view text) {
    return UnitsToUtf8(CodeUnits{text.data(), text.size()}, false);
}

std::u16string Utf8ToUtf16(std::string_view text) {
    // Never more code units than bytes.
    std::u16string units(text.size(), u'\0');
    char16_t* out = units.data();
    DecodeUtf8(text, [&out](char16_t u) { *out++ = u; });
    units.resize(static_cast<std::size_t>(out - units.data()));
    return units;
}

void AppendUtf8AsUtf16Bytes(std::string_view text, ByteOrder order, std::string& bytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + text.size() * 2);
    char* out = bytes.data() + start;
    if (order == ByteOrder::LittleEndian) {
        DecodeUtf8(text, [&out](char16_t u) {
            *out++ = static_cast<char>(u & 0xFF);
            *out++ = static_cast<char>(u >> 8);
        });
    } else {
        DecodeUtf8(text, [&out](char16_t u) {
            *out++ = static_cast<char>(u >> 8);
            *out++ = static_cast<char>(u & 0xFF);
        });
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
}

std::string Utf8ToUtf16Bytes(std::string_view text, ByteOrder order) {
    std::string bytes;
    AppendUtf8AsUtf16Bytes(text, order, bytes);
    return bytes;
}

std::string ConvertLineEnds(std::string_view text, LineEndMode mode) {
    const std::string_view lineEnd = mode == LineEndMode::CrLf ? "\r\n" : mode == LineEndMode::Cr ? "\r" : "\n";
    std::string converted;
    converted.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            converted.append(text.substr(i));
            break;
        }
        converted.append(text.substr(i, end - i));
        converted.append(lineEnd);
        i = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return converted;
}

bool IsAscii(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        if (((Load64(p + i) | Load64(p + i + 8)) & kHighBits) != 0) return false;
    }
    for (; i < n; ++i) {
        if (p[i] >= 0x80) return false;
    }
    return true;
}

}  // namespace kelpo
