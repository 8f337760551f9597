// The file search's disk seam on a POSIX file system, for the native benchmark: readdir listings
// and reads. Names are UTF-8 on disk and wide in the engine.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>

#include "aids/find_disk.h"
#include "base/text_conversion.h"

namespace {

using namespace kelpo;

std::wstring WideFromUtf8(std::string_view text) {
    const std::u16string units = Utf8ToUtf16(text);
    std::wstring wide;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            wide += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            wide += static_cast<wchar_t>(unit);
        }
    }
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
    std::u16string units;
    for (wchar_t c : wide) {
        const auto code = static_cast<char32_t>(c);
        if (code > 0xFFFF) {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return Utf16ToUtf8(units);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Reads up to the size the file had when it was opened, so the end costs no extra call.
class PosixFindFile : public FindFile {
public:
    PosixFindFile(int fd, std::uint64_t size) : fd_(fd), remaining_(size) {}
    PosixFindFile(const PosixFindFile&) = delete;
    PosixFindFile& operator=(const PosixFindFile&) = delete;
    ~PosixFindFile() override { close(fd_); }

    std::ptrdiff_t Read(char* buffer, std::size_t size) override {
        if (remaining_ == 0) return 0;
        const std::size_t wanted = size < remaining_ ? size : static_cast<std::size_t>(remaining_);
        const ssize_t got = read(fd_, buffer, wanted);
        if (got < 0) return -1;
        remaining_ = got == 0 ? 0 : remaining_ - static_cast<std::uint64_t>(got);
        return got;
    }

private:
    int fd_;
    std::uint64_t remaining_;
};

class PosixFindDisk : public FindDisk {
public:
    wchar_t Separator() const override { return L'/'; }

    // Links to folders are left out, as on Windows, so that no tree is walked twice.
    bool ListFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) override {
        const std::string path = Utf8FromWide(folder);
        std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
        if (!dir) return false;
        while (const dirent* entry = readdir(dir.get())) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                struct stat info {};
                if (stat((path + std::string(name)).c_str(), &info) != 0) continue;
                if (S_ISDIR(info.st_mode) && entry->d_type == DT_LNK) continue;
                isFolder = S_ISDIR(info.st_mode);
            }
            entries.push_back(FolderEntry{WideFromUtf8(name), isFolder, 0});
        }
        return true;
    }

    std::unique_ptr<FindFile> OpenFile(const std::wstring& path) override {
        const int fd = open(Utf8FromWide(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat info {};
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<PosixFindFile>(fd, static_cast<std::uint64_t>(info.st_size));
    }
};

}  // namespace

std::unique_ptr<FindDisk> MakePosixFindDisk() { return std::make_unique<PosixFindDisk>(); }
