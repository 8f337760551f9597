// Search options and search-text preparation.
#include "aids/search_options.h"

namespace kelpo {
namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads up to `most` digits of the base at `pos`; the value, and `pos` moved past them.
int ReadNumber(std::string_view text, std::size_t& pos, std::size_t most, int base) {
    int value = 0;
    for (std::size_t read = 0; read < most && pos < text.size(); ++read, ++pos) {
        const int digit = base == 16 ? HexValue(text[pos]) : (IsOctal(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) break;
        value = value * base + digit;
    }
    return value;
}

char SimpleEscape(char c) {
    switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return c;
    }
}

std::string ResolveEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos++];
        if (c != '\\' || pos == text.size()) {
            out += c;
            continue;
        }
        const char next = text[pos];
        if (IsOctal(next)) {
            out += static_cast<char>(ReadNumber(text, pos, 3, 8) & 0xFF);
        } else if (next == 'x' && pos + 1 < text.size() && HexValue(text[pos + 1]) >= 0) {
            ++pos;
            out += static_cast<char>(ReadNumber(text, pos, 2, 16));
        } else {
            out += SimpleEscape(next);
            ++pos;
        }
    }
    return out;
}

// In a regular expression only "\0oo" is ours; the engine reads every other escape itself.
std::string ResolveOctalBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '\\' && pos + 3 < text.size() && text[pos + 1] == '0' && IsOctal(text[pos + 2]) &&
            IsOctal(text[pos + 3])) {
            out += static_cast<char>(((text[pos + 2] - '0') << 3) | (text[pos + 3] - '0'));
            pos += 4;
            continue;
        }
        if (text[pos] == '\\' && pos + 1 < text.size()) {
            out.append(text.substr(pos, 2));  // an escaped backslash must not start another escape
            pos += 2;
            continue;
        }
        out += text[pos++];
    }
    return out;
}

}  // namespace

std::optional<std::string> PrepareSearchText(std::string_view utf8, std::uint32_t options) {
    std::string prepared;
    if (options & kSearchRegex) {
        prepared = ResolveOctalBytes(utf8);
    } else if (options & kSearchEscapes) {
        prepared = ResolveEscapes(utf8);
    } else {
        prepared = std::string(utf8);
    }
    if (prepared.size() >= kSearchTextCapacity) {
        return std::nullopt;
    }
    return prepared;
}

}  // namespace kelpo
