// Disk access of the conversion through the program's own readers and writers.
#include <windows.h>

#include "base/file_write.h"
#include "base/text_convert.h"
#include "build/convert_disk.h"
#include "xml/xml_file.h"

namespace kelpo {

ConvertFileAccess DiskConvertFileAccess() {
    // Project files are small; anything near this size is not one.
    constexpr std::uint64_t maxProjectBytes = 64ull << 20;
    ConvertFileAccess access;
    access.read = [](const std::wstring& path) { return ReadXmlFileBytes(path.c_str(), maxProjectBytes); };
    access.exists = [](const std::wstring& path) {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    access.write = [](const std::wstring& path, std::string_view bytes) { return WriteWholeFile(path, bytes); };
    access.fromAnsi = [](std::string_view text) { return AnsiToWide(text); };
    access.toAnsi = [](std::wstring_view text) { return WideToAnsi(text); };
    return access;
}

}  // namespace kelpo
