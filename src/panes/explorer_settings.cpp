// Explorer settings: the pane writes the keys it keeps until exit.
#include "panes/explorer_settings.h"

#include "base/app_state.h"
#include "panes/explorer_pane.h"

namespace kelpo {

void SaveExplorerSettings(AppState&) { SaveExplorerPaneSettings(); }

}  // namespace kelpo
