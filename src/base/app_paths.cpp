// Paths of the program's own files.
#include "base/app_paths.h"

#include <windows.h>

namespace kelpo {

AppPaths MakeAppPaths(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    AppPaths paths;
    paths.folder = folder;
    paths.settingsFile = folder + L"kelpo.ini";
    paths.recentFile = folder + L"mru.ini";
    paths.shortcutsFile = folder + L"shortcuts.ini";
    paths.sessionFile = folder + L"session.xml";
    paths.snippetsFile = folder + L"snippets.txt";
    return paths;
}

AppPaths AppPathsOfExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return MakeAppPaths(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1));
}

}  // namespace kelpo
