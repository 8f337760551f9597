// Reading a file whole.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace kelpo {

// Every byte of the file; nothing when it cannot be opened, is larger than `maxSize` bytes or
// cannot be read whole.
std::optional<std::string> ReadWholeFile(const std::wstring& path,
                                         std::uint64_t maxSize = std::numeric_limits<std::uint64_t>::max());

}  // namespace kelpo
