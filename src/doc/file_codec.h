// The two ends of loading and saving a document's text: file bytes to the
// editor's UTF-8 with its encoding and line-end mode, and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/file_encoding.h"
#include "doc/ansi_code_page.h"

namespace kelpo {

struct LoadOptions {
    FileEncoding newFileEncoding = FileEncoding::Ansi;  // NewFileEncode, for an empty file
    LineEndMode defaultLineEnd = LineEndMode::CrLf;     // for a text without line end
    bool javaFile = false;                              // see HasJavaExtension
};

struct DecodedFile {
    FileEncoding encoding = FileEncoding::Ansi;
    LineEndMode lineEnd = LineEndMode::CrLf;
    std::string text;  // UTF-8 for the editor; line ends as in the file
    // False when ANSI bytes would not be written back as they were read: bytes that are not
    // valid in the code page (a double-byte code page's lone lead byte, say) came in changed.
    bool ansiRoundTrips = true;
};

// Takes the file bytes by value so that UTF-8 text reaches the editor without a
// copy. Nothing when the ANSI code page could not convert the text.
std::optional<DecodedFile> DecodeFileBytes(std::string fileBytes, const LoadOptions& options,
                                           const AnsiCodePage& ansi);

// The bytes to write: the mark of the encoding, then the text in it, line ends
// as they stand. An empty text gives an empty file, without mark. Nothing when
// the ANSI code page cannot hold the text as it is; the file must then be left alone.
std::optional<std::string> ComposeFileBytes(std::string_view text, FileEncoding encoding, const AnsiCodePage& ansi);

std::string_view ByteOrderMark(FileEncoding encoding);

}  // namespace kelpo
