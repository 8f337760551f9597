// The Favourites menu (the main menu's seventh pop-up) and the commands that add to it and open
// its entries.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kelpo {

// One opening command per menu entry, in command order from 450.
struct FavoriteMenuRecord {
    std::wstring name;
    std::wstring path;
    bool folder = false;
};
const std::vector<FavoriteMenuRecord>& FavoriteMenuRecords();

// Refills the pop-up below its two fixed items from "favorite.xml"; entries whose path is gone
// are greyed. Entries past the last command are reached through a final item that opens the
// organiser.
void BuildFavoritesMenu();

// Adds the active document's path unless some entry already has it (ASCII case aside).
void AddCurrentDocumentToFavorites();

// Appends (path, display name) pairs at the end of the list, as they come.
void AddFavoriteEntries(const std::vector<std::pair<std::wstring, std::wstring>>& entries);

// Opens a favourite: a file in the editor (then, with `show`, selected in the file explorer), a
// folder or shell location in the file explorer; a path that no longer exists does nothing.
void OpenFavoritePath(const std::wstring& path, bool show = false);

// Commands 191, 192 and those of 450-549 that have a menu entry; false for any other.
bool HandleFavoritesCommand(int command);

}  // namespace kelpo
