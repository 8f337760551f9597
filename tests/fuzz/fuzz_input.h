// Cutting one fuzz input into the several arguments a parser takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo::fuzz {

// The pieces between the separator bytes; there are always at least `count` pieces, the last one
// holding the rest of the input.
inline std::vector<std::string_view> Pieces(const std::uint8_t* data, std::size_t size, std::size_t count,
                                            char separator = '\x01') {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> pieces;
    while (pieces.size() + 1 < count) {
        const std::size_t at = rest.find(separator);
        if (at == std::string_view::npos) {
            pieces.push_back(rest);
            rest = {};
            continue;
        }
        pieces.push_back(rest.substr(0, at));
        rest.remove_prefix(at + 1);
    }
    pieces.push_back(rest);
    return pieces;
}

// Bytes widened one to one into a wide string: the windows paths and lists the parsers take.
inline std::wstring Widen(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

// Pairs of bytes as UTF-16 code units, little end first; a last odd byte is dropped.
inline std::wstring WideUnits(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return text;
}

}  // namespace kelpo::fuzz
