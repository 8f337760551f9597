// Reading "tarvik.ini" and finding the installed tools.
#include "build/tarvik_settings.h"

#include <windows.h>

#include "base/ini_file.h"

namespace kelpo {
namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::wstring TarvikIniPath(const std::wstring& programFolder) { return programFolder + L"tarvik.ini"; }

std::wstring ReadTarvikSetting(const std::wstring& programFolder, const wchar_t* key) {
    std::wstring value;
    if (!IniFile(TarvikIniPath(programFolder)).ReadText(key, value, 259, L"Tarvik") &&
        std::wstring_view(key) == L"DefaultDir") {
        return programFolder;
    }
    return value;
}

std::vector<std::wstring> ReadTarvikSection(const std::wstring& programFolder, const wchar_t* section) {
    return IniFile(TarvikIniPath(programFolder)).ReadList(section);
}

std::vector<const ToolDef*> InstalledTools(const std::wstring& programFolder) {
    std::vector<const ToolDef*> tools;
    for (const ToolDef& tool : ToolTable()) {
        if (IsFile(programFolder + tool.id + L"\\config.ini")) {
            tools.push_back(&tool);
        }
    }
    return tools;
}

bool BuildEnginePresent(const std::wstring& programFolder) { return IsFile(programFolder + L"build.exe"); }

void SetTarvikDirVariable(const std::wstring& programFolder) {
    if (BuildEnginePresent(programFolder)) {
        ::SetEnvironmentVariableW(L"TarvikDir", programFolder.c_str());
    }
}

}  // namespace kelpo
