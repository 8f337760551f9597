// Merging the menu's commands with the shortcut table, and taking or refusing a new key.
#include "app/shortcut_assignment.h"

#include <algorithm>

namespace kelpo {
namespace {

auto FindCommand(std::vector<ShortcutEntry>& rows, std::uint16_t command) {
    return std::find_if(rows.begin(), rows.end(), [command](const ShortcutEntry& e) { return e.command == command; });
}

}  // namespace

std::vector<ShortcutEntry> ShortcutRowsForMenu(std::span<const std::uint16_t> menuCommands,
                                               std::span<const ShortcutEntry> table) {
    std::vector<ShortcutEntry> rows;
    for (const std::uint16_t command : menuCommands) {
        if (FindCommand(rows, command) != rows.end()) {
            continue;
        }
        ShortcutEntry row{command, 0, 0};
        const auto stored = std::find_if(table.begin(), table.end(),
                                         [command](const ShortcutEntry& e) { return e.command == command; });
        if (stored != table.end()) {
            row.key1 = stored->key1;
            row.key2 = stored->key2;
        }
        rows.push_back(row);
    }
    for (const ShortcutEntry& entry : table) {
        if (FindCommand(rows, entry.command) == rows.end()) {
            rows.push_back(entry);
        }
    }
    return rows;
}

KeyAssignment AssignShortcutKey(std::vector<ShortcutEntry>& rows, std::uint16_t command, std::uint16_t key) {
    if (key != 0) {
        if (const std::optional<std::uint16_t> other = FindShortcutConflict(rows, key, command)) {
            return {false, other};
        }
    }
    auto row = FindCommand(rows, command);
    if (row == rows.end()) {
        rows.push_back({command, 0, 0});
        row = rows.end() - 1;
    }
    row->key1 = key;
    return {true, std::nullopt};
}

}  // namespace kelpo
