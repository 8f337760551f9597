// Fuzz entry for encoding detection and text conversion: any file bytes load, and what loads
// saves back to the same bytes in the encoding it was read in; the UTF-8 test agrees with a
// plain decoder written here, and the UTF-8 / UTF-16 conversions undo each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "aids/find_text_decode.h"
#include "base/text_conversion.h"
#include "doc/encoding_detection.h"
#include "doc/file_codec.h"
#include "doc/fake_ansi_code_page.h"
#include "doc/utf8_validator.h"

namespace {

// RFC 3629 read byte by byte: the length in UTF-16 units, or nothing for ill-formed bytes.
std::optional<std::size_t> ReferenceUtf16Length(std::string_view bytes) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) { length = 1; code = lead; }
        else if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1Fu; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0Fu; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07u; }
        else return std::nullopt;
        if (i + length > bytes.size()) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0u) != 0x80u) return std::nullopt;
            code = code << 6 | (next & 0x3Fu);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
        units += code >= 0x10000 ? 2 : 1;
        i += length;
    }
    return units;
}

void CheckValidator(std::string_view bytes) {
    const std::optional<std::size_t> length = ReferenceUtf16Length(bytes);
    const kelpo::Utf8Scan scan = kelpo::ScanUtf8(bytes);
    if (scan.wellFormed != length.has_value() || kelpo::IsWellFormedUtf8(bytes) != scan.wellFormed) std::abort();
    if (!length) return;
    const std::size_t zero = bytes.find('\0');
    if (scan.utf16Length != *length || scan.firstZero != (zero == bytes.npos ? bytes.size() : zero)) std::abort();
    // Well-formed text survives both conversions unchanged.
    const std::u16string utf16 = kelpo::Utf8ToUtf16(bytes);
    if (utf16.size() != *length || kelpo::Utf16ToUtf8(utf16) != bytes) std::abort();
}

void CheckLoadAndSave(const std::string& bytes, std::uint8_t options) {
    const kelpo::AnsiCodePage latin1 = kelpo::testing_support::Latin1CodePage();
    kelpo::LoadOptions load;
    load.newFileEncoding = static_cast<kelpo::FileEncoding>(options % 5);
    load.defaultLineEnd = static_cast<kelpo::LineEndMode>(options / 5 % 3);
    load.javaFile = (options & 0x80) != 0;
    const std::optional<kelpo::DecodedFile> decoded = kelpo::DecodeFileBytes(bytes, load, latin1);
    if (!decoded) std::abort();  // Latin-1 takes every byte
    // UTF-16 with an odd last byte cannot come back; an empty text is saved without its mark.
    const bool utf16 = decoded->encoding == kelpo::FileEncoding::Utf16LeBom ||
                       decoded->encoding == kelpo::FileEncoding::Utf16BeBom;
    if (decoded->text.empty() || (utf16 && bytes.size() % 2 != 0)) return;
    // A Java file read in the code page is meant to be saved as UTF-8.
    if (load.javaFile && kelpo::DetectEncoding(bytes, load.newFileEncoding, true).form == kelpo::TextForm::Ansi) return;
    const std::optional<std::string> saved = kelpo::ComposeFileBytes(decoded->text, decoded->encoding, latin1);
    if (!saved || *saved != bytes) std::abort();
    // Whatever the line ends, converting them leaves only the chosen one.
    const std::string lf = kelpo::ConvertLineEnds(decoded->text, kelpo::LineEndMode::Lf);
    if (lf.find('\r') != std::string::npos) std::abort();
    if (kelpo::ConvertLineEnds(kelpo::ConvertLineEnds(lf, kelpo::LineEndMode::CrLf), kelpo::LineEndMode::Lf) != lf) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckValidator(bytes);
    CheckLoadAndSave(bytes, data[0]);
    // Raw UTF-16 in either order keeps its code units through UTF-8 and back.
    for (const kelpo::ByteOrder order : {kelpo::ByteOrder::LittleEndian, kelpo::ByteOrder::BigEndian}) {
        const std::string utf8 = kelpo::Utf16BytesToUtf8(bytes, order);
        if (bytes.size() % 2 == 0 && kelpo::Utf8ToUtf16Bytes(utf8, order) != bytes) std::abort();
    }
    // A result line decodes whatever it holds.
    kelpo::DecodeLineText(bytes, (data[0] & 1) != 0, kelpo::testing_support::Latin1CodePage());
    return 0;
}
