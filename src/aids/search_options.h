// The search option word (SearchFlags) and how its bits reach the editing component, and the
// preparation of a search text: UTF-8, escapes resolved, within the component's buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

enum SearchOption : std::uint32_t {
    kSearchMatchCase = 0x0001,
    kSearchWholeWord = 0x0002,
    kSearchRegex = 0x0008,
    kSearchEscapes = 0x0010,
    kSearchWrap = 0x0020,
    kSearchSubfolders = 0x0080,
    kSearchToPane2 = 0x0100,
    kSearchScopeMask = 0x0600,
    kSearchScopeSelection = 0x0200,
    kSearchScopeAllDocuments = 0x0400,
    kSearchLocationMask = 0x3800,
};

inline constexpr int kSearchLocationShift = 11;
// Search and replace texts are kept in buffers of this many bytes once in UTF-8.
inline constexpr std::size_t kSearchTextCapacity = 512;
// The texts of the dialogs' fields, in UTF-16 characters.
inline constexpr std::size_t kSearchFieldCapacity = 256;

// The text as the component searches for it. With regular expressions only "\0" and two octal
// digits become that byte; with escapes "\a \b \f \n \r \t \v", "\" and one to three octal
// digits, "\x" and one or two hexadecimal digits become their byte and "\" before anything
// else gives that character. Nothing when the result does not fit kSearchTextCapacity - 1 bytes.
std::optional<std::string> PrepareSearchText(std::string_view utf8, std::uint32_t options);

}  // namespace kelpo
