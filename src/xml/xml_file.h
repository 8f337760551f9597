// Reading and writing whole XML files by UTF-16 (on Windows) or wide path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// The file's bytes, or nothing when it cannot be opened or read, is larger than
// maxSize bytes, or its buffer cannot be allocated.
std::optional<std::string> ReadXmlFileBytes(const wchar_t* path, std::uint64_t maxSize);

// Puts the bytes on disk as the whole new content of the file, so that a failure leaves the
// old file as it was: they go to a temporary file beside it that replaces it when complete
// (a device or other special file is written in place). False on any failure.
bool WriteXmlFileBytes(const wchar_t* path, std::string_view bytes);

} // namespace kelpo
