// The cell-to-command table of the command icon strip; it must match res/icons/command_icons.txt,
// from which the strip is drawn.
#include "app/command_icon_table.h"

#include <algorithm>
#include <array>

namespace kelpo {
namespace {

constexpr std::array<int, kCommandIconCount> kCellCommands = {
    2,   3,   8,   10,  31,  32,  33,  34,  35,  104,  // new, open, save, save all, undo .. paste, wrap
    102, 141, 142, 147, 143, 144, 98,                  // line ends, find, replace, in files, next, previous, full screen
    90,  91,  92,  93,  94,  95,  96,                  // the pane pages
    161, 162, 163, 164, 181, 9,   17,                  // build, rebuild, clean, debug, options, save as, exit
    183, 192, 155, 156, 157, 191,                      // font, organiser, bookmarks, add to favourites
    167,                                               // stop the build
};

}  // namespace

std::span<const int> CommandIconCommands() { return kCellCommands; }

int CommandIconIndex(int command) {
    const auto found = std::find(kCellCommands.begin(), kCellCommands.end(), command);
    return found == kCellCommands.end() ? -1 : static_cast<int>(found - kCellCommands.begin());
}

}  // namespace kelpo
