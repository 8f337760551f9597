// Full paths of files as the document layer keeps them.
#pragma once

#include <optional>
#include <string>

namespace kelpo {

// Paths are kept in 260-character buffers by the rest of the program and its files.
inline constexpr std::size_t kMaxPathChars = 259;

// The absolute form of a path (GetFullPathNameW), or nothing when it is too long to keep.
std::optional<std::wstring> FullPathOf(const std::wstring& path);

}  // namespace kelpo
