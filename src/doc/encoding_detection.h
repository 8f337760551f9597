// Deciding from a file's bytes which of the five encodings it is in and which
// line-end mode it uses.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/file_encoding.h"

namespace kelpo {

// How the bytes after the mark turn into the editor's UTF-8.
enum class TextForm { Utf8, Utf16Le, Utf16Be, Ansi };

struct EncodingDetection {
    FileEncoding encoding = FileEncoding::Ansi;  // what the document records
    TextForm form = TextForm::Utf8;
    std::size_t markLength = 0;                  // byte-order mark to skip
    // Every byte is below 0x80: such bytes read the same in every ANSI code
    // page, so an ANSI text needs no conversion.
    bool plainAscii = false;
};

// javaFile: the file name has the extension "java"; such files are UTF-8
// when empty and when they would otherwise be ANSI.
EncodingDetection DetectEncoding(std::string_view fileBytes, FileEncoding newFileEncoding, bool javaFile);

// The first line end of the text, up to its first zero byte, decides; without
// one the fallback is used.
LineEndMode DetectLineEnd(std::string_view text, LineEndMode fallback);

// Case-insensitive test of the text after the last period of the file name.
bool HasJavaExtension(std::wstring_view path);

}  // namespace kelpo
