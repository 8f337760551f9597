// What the main window does when its start-up message arrives.
#include "app/startup_done.h"

#include <windows.h>
#include <shellapi.h>

#include "app/crash_guard.h"
#include "app/main_window_layout.h"
#include "app/open_arguments.h"
#include "app/pane_hosts.h"
#include "app/startup_trace.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/status_message.h"
#include "doc/backup_keeper.h"
#include "doc/backup_restore.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/session.h"
#include "panes/explorer_pane.h"

namespace kelpo {
namespace {

int ProcessArgumentCount() {
    int count = 0;
    unique_argv argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    return argv ? count : 0;
}

}  // namespace

void RunStartupDone(AppState& app) {
    SelectPaneTab(Pane::Left, static_cast<int>(GetBits(app.settings.config1, kC1LeftTabShift, 3)), false);
    SelectPaneTab(Pane::Bottom, static_cast<int>(GetBits(app.settings.config1, kC1BottomTabShift, 3)), false);
    LayoutMainWindow();
    BrowseExplorerStartFolder();
    int opened = 0;
    if (app.settings.config1 & kC1Session) {
        opened = LoadSession(app);
    }
    if (ProcessArgumentCount() > 1) {
        opened = ParseCommandLine(nullptr, nullptr);
    }
    // Switched off, nothing is written, and what earlier runs left stays where it is.
    if (app.settings.backupUnsaved && StartBackups(app.paths.folder, app.mainWindow)) {
        const RestoreCount restored = RestoreEndedRuns(app.paths.folder);
        opened += restored.restored;
        if (const std::wstring text = RestoreStatusText(restored); !text.empty()) {
            ShowStatusMessage(text);
        }
    }
    if (opened == 0 && (app.settings.config1 & kC1NewFileAtStart)) {
        CreateEmptyDocument();
    }
    app.starting = false;
    TraceStartup("documents opened");
    PrepareCrashDumps();
    // Activation came while the window was being made, before there was a document to give the
    // keyboard to: typing goes to the active document straight away.
    if (::GetActiveWindow() == app.mainWindow && Tabs() != nullptr && Tabs()->Active() != nullptr) {
        ::SetFocus(Tabs()->Active()->view->Window());
    }
    // The symbol list is refreshed for the active document here once it exists.
}

}  // namespace kelpo
