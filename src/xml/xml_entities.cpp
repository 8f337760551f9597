// Entity decoding and escaping of XML attribute values and text.
#include "xml/xml_entities.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace kelpo {

namespace {

struct NamedEntity {
    std::string_view reference;
    char character;
};

constexpr NamedEntity kNamedEntities[] = {
    {"&amp;", '&'}, {"&apos;", '\''}, {"&gt;", '>'}, {"&lt;", '<'}, {"&quot;", '"'},
};

constexpr std::uint32_t kLargestCodePoint = 0x10FFFF;

int DigitValue(char c, bool hexadecimal)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (hexadecimal && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (hexadecimal && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsSurrogate(std::uint32_t value)
{
    return value >= 0xD800 && value <= 0xDFFF;
}

std::size_t WriteUtf8(std::uint32_t codePoint, char* out)
{
    if (codePoint < 0x80) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
        out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
        out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 4;
}

// Reads "&#digits;" or "&#xhexdigits;" at the start of rest. Gives the number of
// bytes of the reference, or 0 when it is not a reference to a character that
// UTF-8 can carry on its own (zero, a surrogate half, beyond U+10FFFF): such a
// reference stays literal text and so survives a save unchanged.
std::size_t ReadNumericReference(std::string_view rest, std::uint32_t& codePoint)
{
    if (rest.size() < 2 || rest[0] != '&' || rest[1] != '#') {
        return 0;
    }
    const bool hexadecimal = rest.size() > 2 && rest[2] == 'x';
    const std::size_t digitsBegin = hexadecimal ? 3 : 2;
    const std::size_t semicolon = rest.find(';', digitsBegin);
    if (semicolon == std::string_view::npos) {
        return 0;
    }
    std::uint32_t value = 0;
    for (std::size_t i = digitsBegin; i < semicolon; ++i) {
        const int digit = DigitValue(rest[i], hexadecimal);
        if (digit < 0) {
            return 0;
        }
        value = value * (hexadecimal ? 16 : 10) + static_cast<std::uint32_t>(digit);
        if (value > kLargestCodePoint) {
            return 0;
        }
    }
    if (value == 0 || IsSurrogate(value)) {
        return 0;
    }
    codePoint = value;
    return semicolon + 1;
}

} // namespace

std::size_t DecodeXmlEntities(char* text, std::size_t length)
{
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < length) {
        if (text[read] != '&') {
            text[write++] = text[read++];
            continue;
        }
        const std::string_view rest(text + read, length - read);
        bool decoded = false;
        for (const NamedEntity& entity : kNamedEntities) {
            if (rest.starts_with(entity.reference)) {
                text[write++] = entity.character;
                read += entity.reference.size();
                decoded = true;
                break;
            }
        }
        if (decoded) {
            continue;
        }
        std::uint32_t codePoint = 0;
        const std::size_t referenceLength = ReadNumericReference(rest, codePoint);
        if (referenceLength != 0) {
            // Every reference is at least as long as its UTF-8 form, so the write
            // position never overtakes the read position.
            write += WriteUtf8(codePoint, text + write);
            read += referenceLength;
        } else {
            text[write++] = text[read++];
        }
    }
    text[write] = '\0';
    return write;
}

void AppendXmlEscaped(std::string& out, const char* text)
{
    if (text == nullptr) {
        return;
    }
    for (const char* p = text; *p != '\0'; ++p) {
        switch (*p) {
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        default:
            out += *p;
            break;
        }
    }
}

} // namespace kelpo
