// What the main window does when its start-up message arrives.
#include "app/startup_done.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "app/handles.h"
#include "app/open_arguments.h"
#include "doc/document_entry.h"
#include "doc/session.h"

namespace kelpo {
namespace {

int ProcessArgumentCount() {
    int count = 0;
    unique_argv argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    return argv ? count : 0;
}

}  // namespace

void RunStartupDone(AppState& app) {
    // The panes select their saved tabs and press their toolbar buttons here once they exist.
    int opened = 0;
    if (app.settings.config1 & kC1Session) {
        opened = LoadSession(app);
    }
    if (ProcessArgumentCount() > 1) {
        opened = ParseCommandLine(nullptr, nullptr);
    }
    if (opened == 0 && (app.settings.config1 & kC1NewFileAtStart)) {
        CreateEmptyDocument();
    }
    app.starting = false;
    // The symbol list is refreshed for the active document here once it exists.
}

}  // namespace kelpo
