// File access of the XML model: _wfopen on Windows so that any UTF-16 name works,
// a UTF-8 form of the wide name elsewhere.
#include "xml/xml_file.h"

#include <memory>
#include <new>

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

std::FILE* OpenFile(const wchar_t* path, bool forWriting)
{
    if (path == nullptr) {
        return nullptr;
    }
#ifdef _WIN32
    return _wfopen(path, forWriting ? L"wb" : L"rb");
#else
    const std::optional<std::string> utf8 = WidePathToUtf8(path);
    return utf8 ? std::fopen(utf8->c_str(), forWriting ? "wb" : "rb") : nullptr;
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<std::string> ReadXmlFileBytes(const wchar_t* path, std::uint64_t maxSize)
{
    const std::unique_ptr<std::FILE, FileCloser> file(OpenFile(path, false));
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

XmlFileWriter::XmlFileWriter(const wchar_t* path) : file_(OpenFile(path, true))
{
}

XmlFileWriter::~XmlFileWriter()
{
    Close();
}

bool XmlFileWriter::Write(std::string_view bytes)
{
    return file_ != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool XmlFileWriter::Close()
{
    if (file_ == nullptr) {
        return false;
    }
    const bool flushed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed;
}

} // namespace kelpo
