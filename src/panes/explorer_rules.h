// The file explorer's rules that need no window: new file names, filter lines, the open rule and
// the stored sort column.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// "New File", "New File (2)", … "New File (999)"; the number goes before an extension of the
// base name. The first name for which `exists` is false, or none when all 999 are taken.
std::wstring NumberedFileName(std::wstring_view baseName, int number);
std::optional<std::wstring> FreeNewFileName(std::wstring_view baseName,
                                            const std::function<bool(const std::wstring&)>& exists);

// A line of the filter list: "C/C++ files (*.c;*.h)". The description is the text before "("
// without trailing blanks, the patterns the text between "(" and ")" without leading blanks;
// a line without "(" is both.
struct FilterLine {
    std::wstring description;
    std::wstring patterns;
};
FilterLine ParseFilterLine(std::wstring_view line);

// Whether a double-clicked file goes to the shell instead of the editor. Exclude mode hands over
// the files that match its non-empty patterns, include mode those that do not match its own.
enum class OpenMode { Exclude, Include };
bool HandToShell(OpenMode mode, std::wstring_view patterns, bool matches);

// The first sort column of a folder view: the property key (format identifier and number) and the
// direction, stored as "{GUID}|pid|direction".
struct SortColumnValue {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    std::uint32_t pid = 0;
    int direction = 0;
    friend bool operator==(const SortColumnValue&, const SortColumnValue&) = default;
};
std::wstring FormatSortColumn(const SortColumnValue& value);
// Values shorter than 19 characters or not starting with a braced GUID give nothing.
std::optional<SortColumnValue> ParseSortColumn(std::wstring_view text);

// The lines of the filter list as the options dialog's field holds them: trailing line breaks,
// spaces and tabs go, the rest is split at line breaks.
std::vector<std::wstring> FilterListLines(std::wstring_view text);
// Leading spaces and tabs go from a field of patterns.
std::wstring TrimPatterns(std::wstring_view text);

// The toolbar's stored layout, "10 11 12 | 13": command numbers, "|" for a separator, single spaces
// between, at most 64 items. Numbers not in `available` are skipped; nothing usable gives an empty
// list (the caller's default set then applies). A separator is 0.
std::vector<int> ParseButtonLayout(std::wstring_view text, const std::vector<int>& available);
std::wstring FormatButtonLayout(const std::vector<int>& commands);

}  // namespace kelpo
