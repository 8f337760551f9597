// Reading and writing whole XML files by UTF-16 (on Windows) or wide path.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// The file's bytes, or nothing when it cannot be opened or read, is larger than
// maxSize bytes, or its buffer cannot be allocated.
std::optional<std::string> ReadXmlFileBytes(const wchar_t* path, std::uint64_t maxSize);

// A file created or truncated for writing, closed by Close or at destruction.
class XmlFileWriter {
public:
    explicit XmlFileWriter(const wchar_t* path);
    ~XmlFileWriter();
    XmlFileWriter(const XmlFileWriter&) = delete;
    XmlFileWriter& operator=(const XmlFileWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Write(std::string_view bytes);
    // False when buffered bytes could not be written out.
    bool Close();

private:
    std::FILE* file_ = nullptr;
};

} // namespace kelpo
