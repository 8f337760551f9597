// The theme menu: the built-in theme and the theme files beside the program, and what choosing
// one does to the open documents.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kelpo {

inline constexpr int kThemeCommandBuiltin = 400;
// Theme files take the commands after the built-in one, up to this one.
inline constexpr int kThemeCommandLast = 2866;

// The command of the theme menu's item at a position (0 the built-in theme): 400 upwards, stepping
// over the commands other menus own there (the favourites 450-549, the tabs 550-649, 804, 962 and
// 963); 0 past the last command themes may take.
int ThemeCommandAt(std::size_t position);

// Fills `menu` with the built-in theme (command 400) and one item per "style\*.xml" beside the
// program (from 401 as ThemeCommandAt gives, in the order the file system lists them), and puts the
// radio mark on the item named by the setting `style`, or on the built-in item. Items of an earlier
// build of the same menu are removed first.
void BuildThemeMenu(HMENU menu);

// The theme names the menu offers, by position; the built-in theme's is empty.
const std::vector<std::wstring>& ThemeMenuNames();

// Loads the chosen theme with reset. On success every open document's view is set up again with
// the language of its file name, the setting `style` is written at once and the radio mark moves;
// on failure nothing changes. False for a command that is no item of the theme menu.
bool HandleThemeCommand(int command);

// Sets up every open document's view again for the language it has, after the editor font changed.
void ReapplyFontToAllViews();

}  // namespace kelpo
