// The whole text of an INI file, read in whatever form it has and written back as UTF-16 with
// its byte-order mark, the form in which the profile functions keep it UTF-16.
#pragma once

#include <optional>
#include <string>

namespace kelpo {

// The text without its mark: UTF-16 with the mark FF FE, UTF-8 with EF BB BF, otherwise the
// ANSI code page. A missing file gives empty text; nothing when the file exists but cannot be
// read, so that a caller does not overwrite what it could not see.
std::optional<std::wstring> ReadIniText(const std::wstring& path);

// Writes the text as UTF-16 with its mark through the whole-file writer, so that a failed write
// leaves the old file whole. False on any failure.
bool WriteIniText(const std::wstring& path, const std::wstring& text);

}  // namespace kelpo
