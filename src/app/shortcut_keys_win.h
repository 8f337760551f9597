// The Windows side of the keyboard shortcuts: accelerator tables, the system's key names and
// the shortcut texts of the menus.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/shortcut_table.h"
#include "base/handles.h"

namespace kelpo {

// A list without entries gives no table (a null handle), as CreateAcceleratorTableW cannot
// make an empty one; a failed creation gives a null handle too.
struct AcceleratorTables {
    unique_haccel main;
    unique_haccel dialog;  // find, replace and find in files, for the modeless dialogs
};
AcceleratorTables BuildAcceleratorTables(std::span<const ShortcutEntry> entries);

// The name shown for a key value, "Ctrl+Shift+F3", in the words of the keyboard layout.
std::wstring KeyName(std::uint16_t key);

// Puts the first key's name after the tab of each entry's menu item, then of the seven fixed
// shortcuts; items are found by command anywhere in the menu's submenus, their icons are kept.
void ApplyMenuShortcutTexts(HMENU menu, std::span<const ShortcutEntry> entries);

// Every command item of a menu and its submenus in menu order, for the shortcut list of the
// Options dialog; group is the label of the top-level submenu that holds the item.
struct MenuCommandItem {
    std::uint16_t command = 0;
    std::wstring label;
    std::wstring group;
};
std::vector<MenuCommandItem> ListMenuCommands(HMENU menu);

}  // namespace kelpo
