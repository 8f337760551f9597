// Absolute paths, refused rather than cut when they do not fit.
#include "base/file_paths.h"

#include <windows.h>

namespace kelpo {

std::optional<std::wstring> FullPathOf(const std::wstring& path) {
    if (path.empty() || path.size() > kMaxPathChars) {
        return std::nullopt;
    }
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length > kMaxPathChars) {
        return std::nullopt;
    }
    return std::wstring(buffer, length);
}

}  // namespace kelpo
