// An in-memory folder tree behind the file search's disk seam, with a record of what was opened.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "aids/find_disk.h"

namespace kelpo::testing_support {

class MemoryFindDisk : public FindDisk {
public:
    // path like "root\\sub\\a.c"; its folders come into being, each listed where it first appears.
    void AddFile(const std::wstring& path, const std::string& bytes) {
        std::size_t slash = path.find(L'\\');
        while (slash != std::wstring::npos) {
            const std::wstring folder = path.substr(0, slash + 1);
            if (folders_.emplace(folder, std::vector<FolderEntry>{}).second && folder.size() > 1) {
                AddEntry(folder.substr(0, folder.size() - 1), true);
            }
            slash = path.find(L'\\', slash + 1);
        }
        AddEntry(path, false);
        files_[path] = bytes;
    }

    wchar_t Separator() const override { return L'\\'; }

    bool ListFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) override {
        const auto found = folders_.find(folder);
        if (found == folders_.end()) return false;
        entries = found->second;
        return true;
    }

    std::unique_ptr<FindFile> OpenFile(const std::wstring& path) override {
        opened.push_back(path);
        const auto found = files_.find(path);
        if (found == files_.end()) return nullptr;
        return std::make_unique<File>(found->second, readSize, onRead);
    }

    std::vector<std::wstring> opened;
    std::size_t readSize = 1u << 20;  // at most this many bytes per read, so reads can split anything
    std::function<void()> onRead;     // called before each read, as another thread might act then

private:
    class File : public FindFile {
    public:
        File(std::string_view bytes, std::size_t readSize, std::function<void()> onRead)
            : bytes_(bytes), readSize_(readSize), onRead_(std::move(onRead)) {}
        std::ptrdiff_t Read(char* buffer, std::size_t size) override {
            if (onRead_) onRead_();
            const std::size_t count = std::min({size, readSize_, bytes_.size()});
            bytes_.copy(buffer, count);
            bytes_.remove_prefix(count);
            return static_cast<std::ptrdiff_t>(count);
        }

    private:
        std::string_view bytes_;
        std::size_t readSize_;
        std::function<void()> onRead_;
    };

    void AddEntry(const std::wstring& path, bool folder) {
        const std::size_t slash = path.rfind(L'\\');
        if (slash == std::wstring::npos) return;
        folders_[path.substr(0, slash + 1)].push_back(FolderEntry{path.substr(slash + 1), folder, 0});
    }

    std::map<std::wstring, std::vector<FolderEntry>> folders_;
    std::map<std::wstring, std::string> files_;
};

}  // namespace kelpo::testing_support
