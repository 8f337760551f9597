// Post-install and uninstall actions. The program keeps nothing outside its own folder, so
// installing needs no action and uninstalling only removes the settings it wrote there.
#include "app/installer_actions.h"

#include <windows.h>

#include "base/message_box.h"

namespace kelpo {

void RunInstallerAction(InstallerAction action, const AppPaths& paths) {
    if (action != InstallerAction::Uninstall) {
        return;
    }
    if (ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION, L"Remove Kelpo's settings from %s?",
                    paths.folder.c_str()) != IDYES) {
        return;
    }
    for (const std::wstring* file : {&paths.settingsFile, &paths.recentFile, &paths.shortcutsFile,
                                     &paths.sessionFile}) {
        ::DeleteFileW(file->c_str());
    }
}

}  // namespace kelpo
