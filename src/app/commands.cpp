// Dispatch of the commands that the application shell handles itself.
#include "app/commands.h"

#include "app/app_state.h"
#include "app/config_bits.h"
#include "app/dialogs.h"

namespace kelpo {

void RunEscapeAction() {
    AppState& app = App();
    // A call tip in the active editor view is cancelled first, and full screen is left, once
    // views and full-screen mode exist.
    if (app.settings.config1 & kC1BottomPane) {
        app.settings.config1 &= ~kC1BottomPane;
        // The layout is redone here once the panes exist.
    }
}

bool DispatchCommand(int command, LPARAM /*lParam*/) {
    AppState& app = App();
    switch (command) {
    case kCmdExit:
        ::SendMessageW(app.mainWindow, WM_CLOSE, 0, 0);
        return true;
    case kCmdResetLayout:
        app.settings.leftTabWidth = kDefaultLeftTabWidth;
        app.settings.bottomTabHeight = kDefaultBottomTabHeight;
        app.settings.config1 = ResetLayoutConfig1(app.settings.config1);
        return true;
    case kCmdAbout:
        ShowAboutDialog(app.mainWindow);
        return true;
    case kCmdUsage:
        ShowUsageDialog(app.mainWindow);
        return true;
    case kCmdEscape:
        RunEscapeAction();
        return true;
    default:
        // Other identifiers go to the active editor view once documents have views.
        return false;
    }
}

}  // namespace kelpo
