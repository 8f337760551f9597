// The keys being edited on the shortcut page of the Options dialog: one entry per menu command
// plus the stored entries of commands the menu does not show, so that saving keeps them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/shortcut_table.h"

namespace kelpo {

// Menu commands in menu order (each once) with the keys the table gives them, then the table's
// entries for commands outside the menu.
std::vector<ShortcutEntry> ShortcutRowsForMenu(std::span<const std::uint16_t> menuCommands,
                                               std::span<const ShortcutEntry> table);

// Makes `key` the first key of `command` (the second key stays). A non-zero key that another
// command already has as its first or second key is refused: the table is left as it was and
// that command is returned. Key 0 removes the first key.
struct KeyAssignment {
    bool taken = false;
    std::optional<std::uint16_t> conflictWith;
};
KeyAssignment AssignShortcutKey(std::vector<ShortcutEntry>& rows, std::uint16_t command, std::uint16_t key);

}  // namespace kelpo
