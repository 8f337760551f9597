// The program's keyboard shortcuts: "shortcuts.ini", the accelerator tables and the menu texts.
#pragma once

#include <vector>

#include "app/shortcut_table.h"

namespace kelpo {

struct AppState;

// Fills the table from "shortcuts.ini", or with the defaults when its section has no lines.
std::vector<ShortcutEntry> LoadShortcuts(const AppState& app);
// Rewrites the section "Shortcuts" with the entries that have a key.
void SaveShortcuts(const AppState& app, const std::vector<ShortcutEntry>& entries);
// Loads the table and builds the main and dialog accelerator tables from it.
void BuildAccelerators(AppState& app);
// Builds both tables again and refreshes the menu's shortcut texts.
void RebuildAccelerators(AppState& app);
// The shortcut table in force.
const std::vector<ShortcutEntry>& CurrentShortcuts();

}  // namespace kelpo
