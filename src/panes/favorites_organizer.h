// The Organize Favourites dialog: a modeless, resizable dialog whose tree is an editable copy of
// "favorite.xml", written back only on OK.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace kelpo {

inline constexpr int kOrganizerTreeId = 50;

// Command 192: opens the dialog, or brings the open one forward.
bool OpenFavoritesOrganizer();

// Where a moved entry lands relative to the target item.
enum class DropPlace { Before, After, Into };

// Copies item with its subtree to the new place, deletes the old one and selects the copy; the
// new item, or null when the move is refused (the root, or a target inside the item's own subtree).
HTREEITEM MoveFavoriteItem(HWND tree, HTREEITEM item, HTREEITEM target, DropPlace place);

// Adds paths dropped from the shell at the drop place under the point (tree client coordinates):
// into a category (expanded afterwards), before or after an entry; an entry whose path the new
// parent already has is skipped.
void DropPathsOnOrganizer(const std::vector<std::wstring>& paths, POINT point);

}  // namespace kelpo
