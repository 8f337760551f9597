// The main menu of the main window, built from a table of pop-ups and items.
#pragma once

#include <windows.h>

#include <span>

namespace kelpo {

// One row of the menu table: pop-ups open with Popup and close with End; a separator has
// neither command nor text.
enum class MenuRowKind { Item, Separator, Popup, End };
struct MenuRow {
    MenuRowKind kind;
    int command;
    const wchar_t* text;
};

// The whole main menu, top-level pop-ups first to last.
std::span<const MenuRow> MainMenuRows();

// Commands whose feature is not in the program yet: their items are greyed. Each feature that
// arrives removes its identifiers from this table.
std::span<const int> UnavailableCommands();
bool IsCommandAvailable(int command);

// The first item of the theme pop-up; the theme code fills the pop-up from there.
inline constexpr int kMenuThemeAnchor = 400;

HMENU BuildMainMenu();

}  // namespace kelpo
