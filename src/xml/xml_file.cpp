// File access of the XML model: UTF-16 names on Windows, a UTF-8 form of the wide name
// elsewhere; whole files are replaced in one step.
#include "xml/xml_file.h"

#include <cstdio>
#include <memory>
#include <new>

#ifdef _WIN32
#include "base/file_write.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelpo {

namespace {

#ifndef _WIN32
// wchar_t holds whole code points here; names that are not valid Unicode are
// refused rather than mangled.
std::optional<std::string> WidePathToUtf8(const wchar_t* path)
{
    std::string utf8;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        const auto c = static_cast<std::uint32_t>(*p);
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            return std::nullopt;
        }
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}
#endif

std::FILE* OpenForReading(const wchar_t* path)
{
    if (path == nullptr) {
        return nullptr;
    }
#ifdef _WIN32
    return _wfopen(path, L"rb");
#else
    const std::optional<std::string> utf8 = WidePathToUtf8(path);
    return utf8 ? std::fopen(utf8->c_str(), "rb") : nullptr;
#endif
}

std::int64_t FileSize(std::FILE* file)
{
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const std::int64_t size = _ftelli64(file);
    return _fseeki64(file, 0, SEEK_SET) == 0 ? size : -1;
#else
    if (fseeko(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const std::int64_t size = ftello(file);
    return fseeko(file, 0, SEEK_SET) == 0 ? size : -1;
#endif
}

#ifndef _WIN32
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Devices and other special files cannot be replaced; they take the bytes directly.
bool WriteInPlace(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes);
    return ::close(fd) == 0 && written;
}
#endif

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<std::string> ReadXmlFileBytes(const wchar_t* path, std::uint64_t maxSize)
{
    const std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(path));
    if (!file) {
        return std::nullopt;
    }
    const std::int64_t size = FileSize(file.get());
    if (size < 0 || static_cast<std::uint64_t>(size) > maxSize) {
        return std::nullopt;
    }
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

#ifdef _WIN32

bool WriteXmlFileBytes(const wchar_t* path, std::string_view bytes)
{
    return path != nullptr && *path != L'\0' && WriteWholeFile(path, bytes);
}

#else

bool WriteXmlFileBytes(const wchar_t* path, std::string_view bytes)
{
    const std::optional<std::string> target = path != nullptr ? WidePathToUtf8(path) : std::nullopt;
    if (!target || target->empty()) {
        return false;
    }
    struct stat info {};
    if (::stat(target->c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return WriteInPlace(*target, bytes);
    }
    std::string temporary = *target + ".~kelpoXXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

#endif

} // namespace kelpo
