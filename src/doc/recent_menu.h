// The recent-files and recent-projects pop-up menus, rebuilt from their list each time they open.
#pragma once

#include <windows.h>

#include "base/recent_list.h"

namespace kelpo {

// Keeps the pop-up's first item (its clear command) and deletes the rest; with an empty list
// that item is disabled, otherwise a separator and one item per entry follow, with the
// command identifiers firstCommand + index.
void FillRecentMenu(HMENU popup, const RecentList& list, int firstCommand);

}  // namespace kelpo
