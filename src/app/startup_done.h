// The last start-up step, run once the main window is up: session restore and command-line files.
#pragma once

namespace kelpo {

struct AppState;

void RunStartupDone(AppState& app);

}  // namespace kelpo
