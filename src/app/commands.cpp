// Dispatch of the commands that the application shell handles itself.
#include "app/commands.h"

#include "app/dialogs.h"
#include "app/full_screen.h"
#include "app/insert_commands.h"
#include "app/main_window_layout.h"
#include "app/options_dialog.h"
#include "app/view_commands.h"
#include "aids/go_to_symbol_dialog.h"
#include "aids/search_commands.h"
#include "aids/search_dialogs.h"
#include "aids/typing_commands.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "build/batch_build_dialog.h"
#include "build/build_menu.h"
#include "build/build_runner.h"
#include "build/convert_command.h"
#include "build/debugger.h"
#include "build/user_commands.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/file_commands.h"
#include "doc/file_dialogs.h"
#include "doc/file_location.h"
#include "doc/go_to_dialog.h"
#include "doc/session_commands.h"
#include "lang/edit_commands.h"
#include "lang/theme_menu.h"
#include "panes/favorites_menu.h"

namespace kelpo {

void RunEscapeAction() {
    AppState& app = App();
    if (const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr) {
        if (active->view->Call(SCI_CALLTIPACTIVE)) {
            active->view->Call(SCI_CALLTIPCANCEL);
            return;
        }
    }
    LeaveFullScreen();
    if (app.settings.config1 & kC1BottomPane) {
        app.settings.config1 &= ~kC1BottomPane;
        LayoutMainWindow();
    }
}

bool DispatchCommand(int command, LPARAM lParam) {
    AppState& app = App();
    switch (command) {
    case kCmdExit:
        ::SendMessageW(app.mainWindow, WM_CLOSE, 0, 0);
        return true;
    case kCmdResetLayout:
        app.settings.leftTabWidth = kDefaultLeftTabWidth;
        app.settings.bottomTabHeight = kDefaultBottomTabHeight;
        app.settings.config1 = ResetLayoutConfig1(app.settings.config1);
        LayoutMainWindow();
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
        break;
    }
    // The favourites' range comes before the themes', whose identifiers would run into it.
    if (HandleFavoritesCommand(command) || HandleThemeCommand(command)) {
        return true;
    }
    switch (command) {
    case kCmdOpen:
        OpenFilesWithDialog();
        return true;
    case kCmdOptions:
        ShowOptionsDialog(app.mainWindow);
        return true;
    case kCmdGoTo:
        GoToWithDialog(app.mainWindow);
        return true;
    case kCmdGoToSymbol:
        GoToSymbolWithDialog(app.mainWindow);
        return true;
    case kCmdShowInExplorerPane:
        ShowFileLocation(FileLocationMode::ExplorerPane);
        return true;
    default:
        // What the main window does not run itself goes to the active editor view.
        return HandleViewCommand(command) || HandleDocumentCommand(command, lParam) || HandleSessionCommand(command) ||
               HandleFileCommand(command) || HandleInsertCommand(command) || HandleSearchDialogCommand(command) ||
               HandleSearchCommand(command) || HandleBuildMenuCommand(command) || HandleBuildRunCommand(command) ||
               HandleUserCommand(command) || HandleDebugCommand(command) || HandleBatchBuildCommand(command) ||
               HandleConvertCommand(command) || HandleTypingCommand(command) || HandleEditCommandForActiveView(command);
    }
}

}  // namespace kelpo
