// Showing where a file lies: in the file explorer pane, in the shell's folder window or in a
// command window opened in its folder.
#pragma once

#include <string>

namespace kelpo {

enum class FileLocationMode : int {
    ExplorerPane = 0,  // the file explorer pane; the shell's folder window while there is none
    ShellExplorer = 1, // "explorer.exe /select,<path>"
    CommandWindow = 2, // "cmd /K cd /d <folder>"
};

// The file explorer pane, which lies above this layer, hands in how to reach it at start-up:
// showing a folder (or a file selected in its folder) with the pane brought forward, and telling
// its current folder (empty outside the file system).
struct ExplorerPaneLink {
    void (*show)(const std::wstring& path) = nullptr;
    std::wstring (*currentFolder)() = nullptr;
};
void SetExplorerPaneLink(ExplorerPaneLink link);
// The explorer pane's current folder; empty without a pane or outside the file system.
std::wstring ExplorerPaneFolder();

// An empty path stands for the active document's file, or, for the explorer pane without one,
// the pane's own folder; without either nothing happens. The started
// program is not waited for; when it cannot be started the user is told.
void ShowFileLocation(FileLocationMode mode, const std::wstring& path = {});

}  // namespace kelpo
