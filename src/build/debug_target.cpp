// The debugger's command line and the program it gets.
#include "build/debug_target.h"

#include <algorithm>

namespace kelpo {

std::optional<std::wstring> DebuggerCommandLine(std::wstring_view format, std::wstring_view programPath) {
    if (format.size() > kMaxDebuggerFormatChars) {
        return std::nullopt;
    }
    std::wstring line(format);
    const std::size_t at = line.find(L"%s");
    if (at != std::wstring::npos) {
        line.replace(at, 2, programPath);
    }
    return line;
}

std::optional<DebugTarget> ReadDebugTarget(std::string_view text, std::string_view folderName) {
    constexpr std::size_t kLineBytes = 255;
    std::optional<std::string> name;
    std::optional<std::string> type;
    int found = 0;
    std::size_t start = 0;
    while (start < text.size() && found < 2) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        end = std::min(end, start + kLineBytes);
        std::string_view line = text.substr(start, end - start);
        start = end;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        if (line.starts_with("TARGETNAME=")) {
            name = std::string(line.substr(11));
            ++found;
        } else if (line.starts_with("TARGETTYPE=")) {
            type = std::string(line.substr(11));
            ++found;
        }
    }
    if (!name && !type) {
        return std::nullopt;
    }
    return DebugTarget{name && !name->empty() ? *name : std::string(folderName),
                       type && !type->empty() ? *type : std::string("EXE")};
}

bool IsExecutableTarget(const DebugTarget& target) {
    const std::string& type = target.type;
    return type.size() == 3 && (type[0] | 0x20) == 'e' && (type[1] | 0x20) == 'x' && (type[2] | 0x20) == 'e';
}

std::wstring DebugProgramPath(std::wstring root, const std::wstring& configurationName,
                              const std::wstring& targetName) {
    while (!root.empty() && root.back() == L'\\') {
        root.pop_back();
    }
    const std::wstring file = targetName + L".exe";
    return root + L"\\obj\\" + configurationName + L'\\' + file + L'\\' + file;
}

}  // namespace kelpo
