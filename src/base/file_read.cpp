// Whole-file reads, in pieces that ReadFile's 32-bit count can take.
#include "base/file_read.h"

#include <windows.h>

#include <algorithm>

#include "base/handles.h"

namespace kelpo {

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::uint64_t maxSize) {
    constexpr std::size_t kLargestRead = std::size_t{1} << 30;
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > std::min<std::uint64_t>(maxSize, std::string().max_size())) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto piece = static_cast<DWORD>(std::min(bytes.size() - done, kLargestRead));
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, piece, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        done += read;
    }
    return bytes;
}

}  // namespace kelpo
