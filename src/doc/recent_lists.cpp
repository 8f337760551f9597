// Recent lists. The lists arrive with the document layer; until then there is nothing to keep.
#include "doc/recent_lists.h"

#include "app/app_state.h"

namespace kelpo {

void LoadRecentLists(AppState&) {}

void SaveRecentLists(AppState&) {}

}  // namespace kelpo
