// The session and recent-list commands and the recent pop-ups.
#include "doc/session_commands.h"

#include <string>

#include "base/app_state.h"
#include "doc/document_entry.h"
#include "doc/recent_menu.h"
#include "doc/session.h"
#include "doc/session_dialogs.h"

namespace kelpo {
namespace {

bool BuildToolPresent() {
    const std::wstring engine = App().paths.folder + L"build.exe";
    const DWORD attributes = ::GetFileAttributesW(engine.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opening the entry moves it to the front of its own list, so the path is copied first.
// An entry whose file is missing stays in the list.
void OpenRecentEntry(const RecentList& list, int index) {
    if (const std::wstring* entry = list.At(index)) {
        const std::wstring path = *entry;
        OpenFileFromArgument(path);
    }
}

bool InRange(int command, int first) { return command >= first && command < first + kRecentCommandRange; }

}  // namespace

bool HandleSessionCommand(int command) {
    AppState& app = App();
    if (InRange(command, kCmdRecentFileFirst)) {
        OpenRecentEntry(app.recent.files, command - kCmdRecentFileFirst);
        return true;
    }
    if (InRange(command, kCmdRecentProjectFirst)) {
        OpenRecentEntry(app.recent.projects, command - kCmdRecentProjectFirst);
        return true;
    }
    switch (command) {
    case kCmdOpenSession:
        if (const auto path = AskSessionFileToOpen(app.mainWindow)) {
            LoadSession(*path);
        }
        return true;
    case kCmdSaveSessionAs:
        if (const auto path = AskSessionFileToSave(app.mainWindow)) {
            SaveSession(*path);
        }
        return true;
    case kCmdClearRecentFiles:
        app.recent.files.ClearRecent();
        return true;
    case kCmdClearRecentProjects:
        app.recent.projects.ClearRecent();
        return true;
    default:
        return false;
    }
}

void OnRecentMenuPopup(HMENU popup) {
    if (popup == nullptr || ::GetMenuItemCount(popup) < 1) {
        return;
    }
    const UINT first = ::GetMenuItemID(popup, 0);
    if (first == kCmdClearRecentFiles) {
        FillRecentMenu(popup, App().recent.files, kCmdRecentFileFirst);
    } else if (first == kCmdClearRecentProjects && BuildToolPresent()) {
        FillRecentMenu(popup, App().recent.projects, kCmdRecentProjectFirst);
    }
}

}  // namespace kelpo
