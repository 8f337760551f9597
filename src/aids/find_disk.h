// What the file search needs of the file system: list a folder, read a file piece by piece.
// Abstract so that tests put an in-memory tree behind it and each platform has one small
// implementation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelpo {

struct FolderEntry {
    std::wstring name;
    bool folder = false;
    std::uint64_t size = 0;  // as listed; the file may have changed since
};

class FindFile {
public:
    virtual ~FindFile() = default;
    // Reads up to size bytes: how many were read, 0 at the end of the file, -1 when reading failed.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};

class FindDisk {
public:
    virtual ~FindDisk() = default;

    // The separator between a folder and a name in paths of this file system.
    virtual wchar_t Separator() const = 0;

    // The entries of the folder (a path ending in the separator), "." and ".." left out, in the
    // order the file system gives them. False when the folder cannot be listed.
    virtual bool ListFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) = 0;

    // The file open for reading, or nullptr when it cannot be opened.
    virtual std::unique_ptr<FindFile> OpenFile(const std::wstring& path) = 0;
};

}  // namespace kelpo
