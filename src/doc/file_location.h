// Showing where a file lies: in the file explorer pane, in the shell's folder window or in a
// command window opened in its folder.
#pragma once

#include <string>

namespace kelpo {

enum class FileLocationMode : int {
    ExplorerPane = 0,  // until the file explorer pane exists, the shell's folder window
    ShellExplorer = 1, // "explorer.exe /select,<path>"
    CommandWindow = 2, // "cmd /K cd /d <folder>"
};

// An empty path stands for the active document's file; without one nothing happens. The started
// program is not waited for; when it cannot be started the user is told.
void ShowFileLocation(FileLocationMode mode, const std::wstring& path = {});

}  // namespace kelpo
