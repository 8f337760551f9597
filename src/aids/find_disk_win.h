// The file search's view of the Windows file system: FindFirstFileExW listings and ReadFile.
#pragma once

#include "aids/find_disk.h"

namespace kelpo {

class WindowsFindDisk : public FindDisk {
public:
    wchar_t Separator() const override { return L'\\'; }
    // Folder links (junctions, symbolic links to folders) are left out: entering them could walk
    // the same tree again and again.
    bool ListFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) override;
    std::unique_ptr<FindFile> OpenFile(const std::wstring& path) override;
};

}  // namespace kelpo
