// Where the program keeps its files: everything lives in the folder of the executable.
#pragma once

#include <string>

namespace kelpo {

struct AppPaths {
    std::wstring folder;         // with a trailing backslash
    std::wstring settingsFile;   // "kelpo.ini"
    std::wstring recentFile;     // "mru.ini"
    std::wstring shortcutsFile;  // "shortcuts.ini"
    std::wstring sessionFile;    // "session.xml"
    std::wstring snippetsFile;   // "snippets.txt"
};

// Paths inside the given folder (a trailing backslash is added when missing).
AppPaths MakeAppPaths(std::wstring folder);
// Paths beside the running executable.
AppPaths AppPathsOfExecutable();

}  // namespace kelpo
