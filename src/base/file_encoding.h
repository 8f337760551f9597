// How a document's text is stored on disk: its encoding and its line-end mode,
// with the names the status bar and its menus show for them.
#pragma once

#include <string_view>

namespace kelpo {

// The values are the ones stored in a Document and in NewFileEncode.
enum class FileEncoding : int {
    Ansi = 0,
    Utf8 = 1,
    Utf8Bom = 2,
    Utf16LeBom = 3,
    Utf16BeBom = 4,
};

// The values are the editing component's SC_EOL_ values.
enum class LineEndMode : int {
    CrLf = 0,
    Cr = 1,
    Lf = 2,
};

constexpr std::wstring_view EncodingName(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Ansi: return L"ANSI";
    case FileEncoding::Utf8: return L"UTF-8";
    case FileEncoding::Utf8Bom: return L"UTF-8 BOM";
    case FileEncoding::Utf16LeBom: return L"UTF-16 LE BOM";
    case FileEncoding::Utf16BeBom: return L"UTF-16 BE BOM";
    }
    return L"ANSI";
}

constexpr std::wstring_view LineEndName(LineEndMode mode) {
    switch (mode) {
    case LineEndMode::CrLf: return L"CRLF";
    case LineEndMode::Cr: return L"CR";
    case LineEndMode::Lf: return L"LF";
    }
    return L"CRLF";
}

}  // namespace kelpo
