// Reading a tool's "config.ini" value and expanding it against the editor's environment.
#include <windows.h>

#include "base/ini_file.h"
#include "build/tool_values.h"

namespace kelpo {
namespace {

std::wstring ExpandEnvironment(const std::wstring& text) {
    std::wstring buffer(2048, L'\0');
    for (;;) {
        const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) {
            return text;
        }
        if (needed <= buffer.size()) {
            buffer.resize(needed - 1);
            return buffer;
        }
        buffer.assign(needed, L'\0');
    }
}

}  // namespace

std::optional<std::wstring> ReadToolValue(const std::wstring& programFolder, std::wstring_view toolId,
                                          std::wstring_view archName, const wchar_t* key, bool leadingSeparator) {
    const std::wstring toolFolder = programFolder + std::wstring(toolId);
    std::wstring raw;
    if (!IniFile(toolFolder + L"\\config.ini").ReadText(key, raw, 2047, L"CONFIG")) {
        return std::nullopt;
    }
    const std::wstring value = ExpandEnvironment(SubstituteToolTokens(raw, toolFolder, archName));
    return leadingSeparator ? L";" + value : value;
}

}  // namespace kelpo
