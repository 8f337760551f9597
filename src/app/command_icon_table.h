// Which command each cell of the command icon strip pictures (the cells of
// res/icons/command_icons.txt), for menu item bitmaps and toolbar buttons.
#pragma once

#include <span>

namespace kelpo {

inline constexpr int kCommandIconCount = 38;

// The command of every cell, in strip order.
std::span<const int> CommandIconCommands();

// The cell that pictures `command`, or -1 when it has none.
int CommandIconIndex(int command);

}  // namespace kelpo
