// Which files are opened at once, opened only after the user agrees, or refused for their size.
#pragma once

#include <cstdint>

namespace kelpo {

inline constexpr std::uint64_t kLargeFileSize = 60ull * 1024 * 1024;    // above: ask first
inline constexpr std::uint64_t kMaximumFileSize = 500ull * 1024 * 1024; // above: refuse

enum class FileSizeCheck { Open, AskFirst, Refuse };

constexpr FileSizeCheck CheckFileSize(std::uint64_t size) {
    if (size > kMaximumFileSize) return FileSizeCheck::Refuse;
    if (size > kLargeFileSize) return FileSizeCheck::AskFirst;
    return FileSizeCheck::Open;
}

}  // namespace kelpo
