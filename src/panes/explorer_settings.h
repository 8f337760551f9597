// The file explorer pane's own settings keys.
#pragma once

namespace kelpo {

struct AppState;

// Writes the explorer's folder, filter, view and sort keys.
void SaveExplorerSettings(AppState& app);

}  // namespace kelpo
