// Result line text: decoding, shortening of very long lines and the "%s(%d): %s" form.
#include "aids/find_result_line.h"

#include <algorithm>

#include "aids/find_text_decode.h"

namespace kelpo {
namespace {

constexpr char16_t kCutMark = u'\u2026';
// A UTF-16 unit takes at most three bytes of UTF-8 or two of a code page, so this many bytes
// always give the units wanted.
constexpr std::size_t kBytesPerUnit = 3;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::u16string PathToUtf16(std::wstring_view path) {
    std::u16string out;
    out.reserve(path.size());
    for (wchar_t c : path) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

std::u16string FormatResultLine(const FindResult& result, std::u16string_view binaryNote) {
    std::u16string line = PathToUtf16(result.path);
    if (result.binary) {
        line += u": ";
        line += binaryNote;
        return line;
    }
    line += u'(';
    const std::string number = std::to_string(result.line);
    line.append(number.begin(), number.end());
    line += u"): ";
    line += result.text;
    return line;
}

LineExcerpt ExcerptOfLine(std::string_view line, std::size_t matchOffset) {
    if (line.size() <= kResultTextLimit) return {std::string(line), matchOffset, false, false};
    const std::size_t start = matchOffset - std::min(matchOffset, kResultContextBefore * kBytesPerUnit);
    const std::size_t end = std::min(line.size(), matchOffset + kResultTextLimit * kBytesPerUnit);
    return {std::string(line.substr(start, end - start)), matchOffset - start, start > 0, end < line.size()};
}

DisplayText DecodeExcerpt(const LineExcerpt& excerpt, bool utf8, const AnsiCodePage& ansi) {
    std::string_view bytes = excerpt.bytes;
    std::size_t matchOffset = excerpt.matchOffset;
    if (!excerpt.cutBefore && !excerpt.cutAfter) return {DecodeLineText(bytes, utf8, ansi), false};
    if (utf8) {
        // Whole characters only where the excerpt cut into the line.
        while (excerpt.cutBefore && matchOffset > 0 && IsUtf8Continuation(bytes.front())) {
            bytes.remove_prefix(1);
            --matchOffset;
        }
        // The last character may have lost bytes: it goes, whole or not.
        while (excerpt.cutAfter && bytes.size() > matchOffset && IsUtf8Continuation(bytes.back())) {
            bytes.remove_suffix(1);
        }
        if (excerpt.cutAfter && bytes.size() > matchOffset && (static_cast<unsigned char>(bytes.back()) & 0x80) != 0) {
            bytes.remove_suffix(1);
        }
    }
    const std::u16string before = DecodeLineText(bytes.substr(0, matchOffset), utf8, ansi);
    const std::u16string from = DecodeLineText(bytes.substr(matchOffset), utf8, ansi);
    std::size_t keepBefore = std::min(before.size(), kResultContextBefore);
    if (keepBefore < before.size() && IsLowSurrogate(before[before.size() - keepBefore])) --keepBefore;
    const bool cutStart = excerpt.cutBefore || keepBefore < before.size();
    std::u16string text = before.substr(before.size() - keepBefore);
    std::size_t keepFrom = std::min(from.size(), kResultTextLimit - text.size());
    if (keepFrom > 0 && keepFrom < from.size() && IsHighSurrogate(from[keepFrom - 1])) --keepFrom;
    const bool cutEnd = excerpt.cutAfter || keepFrom < from.size();
    text.append(from, 0, keepFrom);
    if (cutStart) text.insert(text.begin(), kCutMark);
    if (cutEnd) text += kCutMark;
    return {std::move(text), cutStart || cutEnd};
}

}  // namespace kelpo
