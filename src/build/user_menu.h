// The user command submenus of the Build menu: the rows that follow a submenu's fixed first item,
// read from section "Build" or "AutoBuild" of "tarvik.ini".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelpo {

// Identifiers 0xE000-0xE064: entry n of the command list has 0xE000 + n.
inline constexpr int kCmdUserCommandFirst = 0xE000;
inline constexpr std::size_t kMaxUserCommands = 101;

struct UserMenuRow {
    bool separator = false;
    std::wstring label;
    int command = -1;  // index into UserMenu::commands
};

struct UserMenu {
    std::vector<UserMenuRow> rows;      // in menu order after the fixed item
    std::vector<std::wstring> commands;  // the command texts of the labelled rows, in order
};

// "Label=command" lines; "#-" is a separator, any other line starting with "#" a comment, a line
// without "=" is ignored. A separator divides the fixed item from the first labelled row.
UserMenu BuildSectionMenu(const std::vector<std::wstring>& lines);
// "Label=command|anything" lines (the text after "|" is the key the entry is meant for); every
// line without "=" is a separator; there are no comments.
UserMenu AutoBuildSectionMenu(const std::vector<std::wstring>& lines);

}  // namespace kelpo
