// A build request of a user command: "tarvik <configurations> [switches] [project folder]" runs
// the build engine in a console window for each configuration.
#pragma once

#include <functional>
#include <span>
#include <string>

namespace kelpo {

struct BuildRequest {
    bool ignoreFailures = false;  // -i: go on after a failed configuration (the engine gets it too)
    bool keepConsole = false;     // -k: the console stays open and nobody waits for it
    std::wstring switches;        // the switches the engine gets, each after one blank
    std::wstring projectFolder;   // as the user wrote it; the last one wins; empty: none
};

// The arguments after the configuration list. A switch starts with "-", "/" or "\" and is judged
// by its second character without regard to case.
BuildRequest JudgeBuildRequest(std::span<const std::wstring> arguments);

// "build.exe" of the program folder (quoted when the folder has blanks) with the switches and
// the project folder, behind "cmd.exe /K " when the console is kept; "cmd.exe /K cls" without a
// project folder.
std::wstring BuildRequestCommandLine(const std::wstring& programFolder, const BuildRequest& request);

// A relative project folder that exists below DefaultDir runs there; any other runs in the
// current folder (empty result).
std::wstring BuildRequestWorkingFolder(const std::wstring& projectFolder, const std::wstring& defaultDir,
                                       const std::function<bool(const std::wstring& folder)>& folderExists);

}  // namespace kelpo
