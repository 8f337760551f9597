// The recent-file, recent-project and search-history lists kept in "mru.ini".
#pragma once

namespace kelpo {

struct AppState;

void LoadRecentLists(AppState& app);
void SaveRecentLists(AppState& app);

}  // namespace kelpo
