// Load and save compositions: at most one conversion, through at most one
// UTF-16 buffer (only the ANSI code page needs one).
#include "doc/file_codec.h"

#include "base/text_conversion.h"
#include "doc/encoding_detection.h"

namespace kelpo {
namespace {

std::optional<std::string> Utf8ToAnsi(std::string_view text, const AnsiCodePage& ansi) {
    if (IsAscii(text)) return std::string(text);
    return ansi.fromUtf16(Utf8ToUtf16(text));
}

}  // namespace

std::optional<DecodedFile> DecodeFileBytes(std::string fileBytes, const LoadOptions& options,
                                           const AnsiCodePage& ansi) {
    const EncodingDetection detection = DetectEncoding(fileBytes, options.newFileEncoding, options.javaFile);
    const std::string_view payload = std::string_view(fileBytes).substr(detection.markLength);
    DecodedFile decoded;
    decoded.encoding = detection.encoding;
    switch (detection.form) {
    case TextForm::Utf8:
        decoded.text = std::move(fileBytes);
        decoded.text.erase(0, detection.markLength);
        break;
    case TextForm::Utf16Le:
        decoded.text = Utf16BytesToUtf8(payload, ByteOrder::LittleEndian);
        break;
    case TextForm::Utf16Be:
        decoded.text = Utf16BytesToUtf8(payload, ByteOrder::BigEndian);
        break;
    case TextForm::Ansi:
        if (detection.plainAscii) {
            decoded.text = std::move(fileBytes);
        } else {
            std::optional<std::u16string> utf16 = ansi.toUtf16(payload);
            if (!utf16) return std::nullopt;
            const std::optional<std::string> again = ansi.fromUtf16(*utf16);
            decoded.ansiRoundTrips = again && *again == payload;
            decoded.text = Utf16ToUtf8(*utf16);
        }
        break;
    }
    // Scanned after conversion: in UTF-16 bytes every ASCII character carries a zero byte.
    decoded.lineEnd = DetectLineEnd(decoded.text, options.defaultLineEnd);
    return decoded;
}

std::optional<std::string> ComposeFileBytes(std::string_view text, FileEncoding encoding, const AnsiCodePage& ansi) {
    if (text.empty()) return std::string();
    std::string bytes(ByteOrderMark(encoding));
    switch (encoding) {
    case FileEncoding::Ansi:
        return Utf8ToAnsi(text, ansi);
    case FileEncoding::Utf8:
    case FileEncoding::Utf8Bom:
        bytes.append(text);
        break;
    case FileEncoding::Utf16LeBom:
        AppendUtf8AsUtf16Bytes(text, ByteOrder::LittleEndian, bytes);
        break;
    case FileEncoding::Utf16BeBom:
        AppendUtf8AsUtf16Bytes(text, ByteOrder::BigEndian, bytes);
        break;
    }
    return bytes;
}

std::string_view ByteOrderMark(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case FileEncoding::Utf16LeBom: return "\xFF\xFE";
    case FileEncoding::Utf16BeBom: return "\xFE\xFF";
    case FileEncoding::Ansi:
    case FileEncoding::Utf8: break;
    }
    return {};
}

}  // namespace kelpo
