// The theme menu: the built-in theme and the theme files beside the program, and what choosing
// one does to the open documents.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelpo {

inline constexpr int kThemeCommandBuiltin = 400;
// Theme files take the commands after the built-in one, up to this one.
inline constexpr int kThemeCommandLast = 2866;

// Fills `menu` with the built-in theme (command 400) and one item per "style\*.xml" beside the
// program (401 upwards, in the order the file system lists them), and puts the radio mark on the
// item named by the setting `style`, or on the built-in item. Items of an earlier build of the
// same menu are removed first.
void BuildThemeMenu(HMENU menu);

// The theme names the menu offers, by command - 400; the built-in theme's is empty.
const std::vector<std::wstring>& ThemeMenuNames();

// Loads the chosen theme with reset. On success every open document's view is set up again with
// the language of its file name, the setting `style` is written at once and the radio mark moves;
// on failure nothing changes. False for a command that is no item of the theme menu.
bool HandleThemeCommand(int command);

// Sets up every open document's view again for the language it has, after the editor font changed.
void ReapplyFontToAllViews();

}  // namespace kelpo
