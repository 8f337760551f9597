// Line decoding through the text conversions and the code-page seam.
#include "aids/find_text_decode.h"

#include <optional>
#include <utility>

#include "base/text_conversion.h"

namespace kelpo {

std::u16string DecodeLineText(std::string_view bytes, bool utf8, const AnsiCodePage& ansi) {
    if (utf8 || IsAscii(bytes)) return Utf8ToUtf16(bytes);
    if (ansi.toUtf16) {
        if (std::optional<std::u16string> text = ansi.toUtf16(bytes)) return std::move(*text);
    }
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes) text += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
    return text;
}

}  // namespace kelpo
