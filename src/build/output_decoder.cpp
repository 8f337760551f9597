// Line-wise conversion of the engine's output from the ANSI code page to UTF-8.
#include "build/output_decoder.h"

#include <optional>

#include "base/text_conversion.h"

namespace kelpo {

std::string OutputDecoder::Feed(std::string_view chunk) {
    const std::size_t lastLineEnd = chunk.rfind('\n');
    if (lastLineEnd == std::string_view::npos) {
        pending_.append(chunk);
        return {};
    }
    pending_.append(chunk.substr(0, lastLineEnd + 1));
    std::string text = Convert(pending_);
    pending_.assign(chunk.substr(lastLineEnd + 1));
    return text;
}

std::string OutputDecoder::Flush() {
    std::string text = Convert(pending_);
    pending_.clear();
    return text;
}

std::string OutputDecoder::Convert(std::string_view ansi) const {
    if (IsAscii(ansi)) {
        return std::string(ansi);
    }
    if (const std::optional<std::u16string> utf16 = codePage_.toUtf16(ansi)) {
        return Utf16ToUtf8(*utf16);
    }
    // Bytes the code page rejects still show, each non-ASCII one as a replacement character.
    std::string text;
    for (const char ch : ansi) {
        text += static_cast<unsigned char>(ch) < 0x80 ? std::string(1, ch) : std::string("\xEF\xBF\xBD");
    }
    return text;
}

}  // namespace kelpo
