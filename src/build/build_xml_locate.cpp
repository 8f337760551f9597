// Walking up from a folder to the nearest "build.xml".
#include "build/build_xml_locate.h"

#include <windows.h>

namespace kelpo {

std::wstring FindBuildXml(const std::wstring& startFolder, const std::wstring& programFolder) {
    std::wstring folder = startFolder;
    while (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    for (;;) {
        const std::wstring candidate = folder + L"\\build.xml";
        const DWORD attributes = ::GetFileAttributesW(candidate.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return candidate;
        }
        const std::size_t cut = folder.rfind(L'\\');
        if (cut == std::wstring::npos) {
            break;
        }
        folder.resize(cut);
    }
    return programFolder + L"build.xml";
}

}  // namespace kelpo
