// Judging the arguments of a build request and composing what the console runs.
#include "build/build_request.h"

namespace kelpo {
namespace {

bool IsSwitch(const std::wstring& argument) {
    return !argument.empty() && (argument[0] == L'-' || argument[0] == L'/' || argument[0] == L'\\');
}

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool IsAbsolute(const std::wstring& folder) {
    return folder.starts_with(L'\\') || folder.starts_with(L'/') || (folder.size() > 1 && folder[1] == L':');
}

}  // namespace

BuildRequest JudgeBuildRequest(std::span<const std::wstring> arguments) {
    BuildRequest request;
    for (const std::wstring& argument : arguments) {
        if (!IsSwitch(argument)) {
            request.projectFolder = argument;
            continue;
        }
        const wchar_t letter = argument.size() > 1 ? Lower(argument[1]) : L'\0';
        if (letter == L'k') {
            request.keepConsole = true;
            continue;
        }
        if (letter == L'i') {
            request.ignoreFailures = true;
        }
        request.switches += L' ' + argument;
    }
    return request;
}

std::wstring BuildRequestCommandLine(const std::wstring& programFolder, const BuildRequest& request) {
    if (request.projectFolder.empty()) {
        return L"cmd.exe /K cls";
    }
    std::wstring engine = programFolder + L"build.exe";
    // Unquoted, a path with blanks could start "C:\Program.exe" instead.
    if (engine.find(L' ') != std::wstring::npos) {
        engine = L'"' + engine + L'"';
    }
    const std::wstring line = engine + request.switches + L' ' + request.projectFolder;
    if (!request.keepConsole) {
        return line;
    }
    // cmd.exe drops the first and the last quote of a line that starts with one: a pair around
    // the whole line keeps the engine's own quotes.
    return line.starts_with(L'"') ? L"cmd.exe /K \"" + line + L'"' : L"cmd.exe /K " + line;
}

std::wstring BuildRequestWorkingFolder(const std::wstring& projectFolder, const std::wstring& defaultDir,
                                       const std::function<bool(const std::wstring& folder)>& folderExists) {
    if (projectFolder.empty() || IsAbsolute(projectFolder) || defaultDir.empty()) {
        return {};
    }
    const std::wstring base = defaultDir.ends_with(L'\\') ? defaultDir : defaultDir + L'\\';
    return folderExists(base + projectFolder) ? base : std::wstring();
}

}  // namespace kelpo
