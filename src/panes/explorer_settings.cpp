// Explorer settings. The pane arrives with its own issue; it has no keys to write before that.
#include "panes/explorer_settings.h"

#include "base/app_state.h"

namespace kelpo {

void SaveExplorerSettings(AppState&) {}

}  // namespace kelpo
