// One line of Find in Files results as the result pane lists it: "path(line): text", where a double
// click opens the file at that line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doc/ansi_code_page.h"

namespace kelpo {

struct FindResult {
    std::wstring path;          // full path
    std::uint64_t line = 0;     // 1-based; 0 for a binary file
    std::u16string text;        // the line without its line end, possibly shortened
    bool shortened = false;     // text is a stretch of a longer line, "…" marking each cut
    bool binary = false;        // a binary file that holds the find text: no line to show
};

// Lines longer than this (in UTF-16 units) are shown as a stretch around the match.
constexpr std::size_t kResultTextLimit = 1000;
// How much of the line before the match such a stretch keeps.
constexpr std::size_t kResultContextBefore = 100;

// "path(line): text"; for a binary file "path: " and the note the caller words.
std::u16string FormatResultLine(const FindResult& result, std::u16string_view binaryNote);

// The path in UTF-16 whatever the width of wchar_t.
std::u16string PathToUtf16(std::wstring_view path);

// The part of a matching line kept until the file's encoding is known: the whole line, or for a very
// long one the bytes around its first accepted match.
struct LineExcerpt {
    std::string bytes;
    std::size_t matchOffset = 0;  // in bytes
    bool cutBefore = false;
    bool cutAfter = false;
};

LineExcerpt ExcerptOfLine(std::string_view line, std::size_t matchOffset);

struct DisplayText {
    std::u16string text;
    bool shortened = false;
};

// The text to show: the excerpt decoded, at most kResultTextLimit units of it with "…" at each cut.
DisplayText DecodeExcerpt(const LineExcerpt& excerpt, bool utf8, const AnsiCodePage& ansi);

}  // namespace kelpo
