// Telling files apart by what they are, not by how they are named: a short 8.3 name and its
// long name, or two hard links, reach the same file.
#pragma once

#include <cstdint>
#include <string>

namespace kelpo {

struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool known = false;

    bool SameFileAs(const FileIdentity& other) const {
        return known && other.known && volume == other.volume && index == other.index;
    }
};

// The identity of the file at this path now; not known when it cannot be opened. Only worth
// comparing at once: a deleted file's index is soon given to another.
FileIdentity IdentityOfFile(const std::wstring& path);

// Both paths reach the same existing file.
bool SameFile(const std::wstring& a, const std::wstring& b);

}  // namespace kelpo
