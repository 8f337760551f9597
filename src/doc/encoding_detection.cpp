// Encoding detection: empty file, byte-order marks, then one pass of the UTF-8
// test that also counts whether any multi-byte sequence is present.
#include "doc/encoding_detection.h"

#include "doc/utf8_validator.h"

namespace kelpo {
namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

EncodingDetection DetectEncoding(std::string_view fileBytes, FileEncoding newFileEncoding, bool javaFile) {
    if (fileBytes.empty()) {
        return {javaFile ? FileEncoding::Utf8 : newFileEncoding, TextForm::Utf8, 0, true};
    }
    if (StartsWith(fileBytes, "\xEF\xBB\xBF")) return {FileEncoding::Utf8Bom, TextForm::Utf8, 3, false};
    if (StartsWith(fileBytes, "\xFE\xFF")) return {FileEncoding::Utf16BeBom, TextForm::Utf16Be, 2, false};
    if (StartsWith(fileBytes, "\xFF\xFE")) return {FileEncoding::Utf16LeBom, TextForm::Utf16Le, 2, false};

    const Utf8Scan scan = ScanUtf8(fileBytes);
    const FileEncoding ansi = javaFile ? FileEncoding::Utf8 : FileEncoding::Ansi;
    if (!scan.wellFormed) return {ansi, TextForm::Ansi, 0, false};
    // The bytes before the first zero, each lead byte counting its sequence
    // length, against the UTF-16 length of the whole buffer. In a well-formed
    // buffer no zero falls inside a sequence, so the first count is simply the
    // zero's index. The counts differ when a multi-byte sequence is present, and
    // also when a zero byte cuts the first count short.
    if (scan.utf16Length == scan.firstZero) {
        return {ansi, TextForm::Ansi, 0, scan.utf16Length == fileBytes.size()};
    }
    return {FileEncoding::Utf8, TextForm::Utf8, 0, false};
}

LineEndMode DetectLineEnd(std::string_view text, LineEndMode fallback) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0') break;
        if (c == '\n') return LineEndMode::Lf;
        if (c == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? LineEndMode::CrLf : LineEndMode::Cr;
    }
    return fallback;
}

bool HasJavaExtension(std::wstring_view path) {
    const std::size_t nameStart = path.find_last_of(L"\\/");
    const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t period = name.rfind(L'.');
    if (period == std::wstring_view::npos) return false;
    const std::wstring_view extension = name.substr(period + 1);
    constexpr std::wstring_view kJava = L"java";
    if (extension.size() != kJava.size()) return false;
    for (std::size_t i = 0; i < kJava.size(); ++i) {
        wchar_t c = extension[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != kJava[i]) return false;
    }
    return true;
}

}  // namespace kelpo
