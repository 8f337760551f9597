// The main toolbar's table of available buttons and the stored list of shown buttons.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

struct ToolbarButton {
    int icon = -1;      // index in the command icon strip; -1 for a separator
    int command = 0;    // 0 for a separator
    bool dropDown = false;
};

// Every button the main toolbar can show, in order, separators included.
std::span<const ToolbarButton> MainToolbarTable();
// The first 30 entries of the table (all but the favourites button): the default set.
std::vector<ToolbarButton> DefaultMainToolbar();

// "2 3 | 8": up to 64 items, command identifiers or "|" for a separator; identifiers that are
// not in the table are skipped; an empty or useless text gives the default set.
std::vector<ToolbarButton> ParseToolbarButtons(std::wstring_view text, std::span<const ToolbarButton> table,
                                               const std::vector<ToolbarButton>& defaults);
std::wstring FormatToolbarButtons(const std::vector<ToolbarButton>& buttons);

// A tool tip from a menu text: tab to space, "&" removed, cut before the first "(".
std::wstring ToolTipFromMenuText(std::wstring_view menuText);

}  // namespace kelpo
