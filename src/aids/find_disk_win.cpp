// Listing with the large-fetch basic form of FindFirstFileExW; reading with ReadFile up to the size
// the file had when it was opened, so the end costs no extra call.
#include "aids/find_disk_win.h"

#include <windows.h>

#include <cstdint>
#include <utility>

#include "base/handles.h"

namespace kelpo {
namespace {

class WindowsFindFile : public FindFile {
public:
    WindowsFindFile(unique_hfile file, std::uint64_t size) : file_(std::move(file)), remaining_(size) {}

    std::ptrdiff_t Read(char* buffer, std::size_t size) override {
        if (remaining_ == 0) return 0;
        constexpr std::size_t kMaxRead = 1u << 30;
        std::size_t wanted = size < kMaxRead ? size : kMaxRead;
        if (wanted > remaining_) wanted = static_cast<std::size_t>(remaining_);
        DWORD got = 0;
        if (!::ReadFile(file_.get(), buffer, static_cast<DWORD>(wanted), &got, nullptr)) return -1;
        remaining_ = got == 0 ? 0 : remaining_ - got;  // a file that shrank ends early
        return static_cast<std::ptrdiff_t>(got);
    }

private:
    unique_hfile file_;
    std::uint64_t remaining_;
};

}  // namespace

bool WindowsFindDisk::ListFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) {
    const std::wstring query = folder + L"*";
    WIN32_FIND_DATAW data;
    unique_hfind find(::FindFirstFileExW(query.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return false;
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
        const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back(FolderEntry{std::wstring(name), folderEntry, size});
    } while (::FindNextFileW(find.get(), &data));
    return true;
}

std::unique_ptr<FindFile> WindowsFindDisk::OpenFile(const std::wstring& path) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return nullptr;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return nullptr;
    return std::make_unique<WindowsFindFile>(std::move(file), static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace kelpo
