// Showing a file's location: in the explorer pane, the shell's folder window or a command window.
#include "doc/file_location.h"

#include <windows.h>

#include "base/app_state.h"
#include "base/message_box.h"
#include "doc/document_tabs.h"
#include "doc/path_parts.h"

namespace kelpo {
namespace {

void RunCommandLine(std::wstring commandLine, const std::wstring& folder, DWORD flags) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, L"Cannot run %s", commandLine.c_str());
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

ExplorerPaneLink& Link() {
    static ExplorerPaneLink link;
    return link;
}

}  // namespace

void SetExplorerPaneLink(ExplorerPaneLink link) { Link() = link; }

std::wstring ExplorerPaneFolder() { return Link().currentFolder != nullptr ? Link().currentFolder() : std::wstring(); }

void ShowFileLocation(FileLocationMode mode, const std::wstring& path) {
    std::wstring target = path;
    if (target.empty()) {
        const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
        if (active != nullptr && active->HasPath()) {
            target = active->path;
        } else if (mode == FileLocationMode::ExplorerPane) {
            target = ExplorerPaneFolder();
        }
        if (target.empty()) {
            return;
        }
    }
    switch (mode) {
    case FileLocationMode::ExplorerPane:
        if (Link().show != nullptr) {
            Link().show(target);
            break;
        }
        [[fallthrough]];
    case FileLocationMode::ShellExplorer:
        RunCommandLine(L"explorer.exe /select,\"" + target + L"\"", std::wstring(), 0);
        break;
    case FileLocationMode::CommandWindow: {
        const std::wstring folder = FolderToEnter(target);
        RunCommandLine(L"cmd /K cd /d \"" + folder + L"\"", folder, CREATE_NEW_CONSOLE);
        break;
    }
    }
}

}  // namespace kelpo
