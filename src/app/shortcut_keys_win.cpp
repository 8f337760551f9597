// Accelerator tables, key names and menu shortcut texts built from the shortcut table.
#include "app/shortcut_keys_win.h"

#include <array>

namespace kelpo {
namespace {

constexpr int kMenuTextChars = 256;

unique_haccel CreateTable(const std::vector<AcceleratorEntry>& list) {
    if (list.empty()) {
        return {};
    }
    std::vector<ACCEL> table;
    table.reserve(list.size());
    for (const AcceleratorEntry& entry : list) {
        BYTE flags = FVIRTKEY | FNOINVERT;
        if (entry.control) flags |= FCONTROL;
        if (entry.shift) flags |= FSHIFT;
        if (entry.alt) flags |= FALT;
        table.push_back(ACCEL{flags, entry.virtualKey, entry.command});
    }
    return unique_haccel(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

std::wstring SystemKeyName(std::uint8_t virtualKey) {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LONG keyData = static_cast<LONG>(scanCode << 16);
    if (NeedsExtendedKeyFlag(virtualKey)) {
        keyData |= 1L << 24;
    }
    std::array<wchar_t, 64> buffer{};
    const int length = ::GetKeyNameTextW(keyData, buffer.data(), static_cast<int>(buffer.size()));
    if (length > 0) {
        return std::wstring(buffer.data(), static_cast<std::size_t>(length));
    }
    // Without a name from the layout the function keys and the number pad's digits still deserve
    // theirs in the menu.
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24) {
        return L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        return L"Num " + std::to_wstring(virtualKey - VK_NUMPAD0);
    }
    return {};
}

std::wstring ModifierName(std::uint8_t modifier) {
    const std::uint8_t virtualKey = modifier == kHotkeyControl ? VK_CONTROL
                                    : modifier == kHotkeyShift ? VK_SHIFT
                                                               : VK_MENU;
    std::wstring name = SystemKeyName(virtualKey);
    if (name.empty()) {
        name = modifier == kHotkeyControl ? L"Ctrl" : modifier == kHotkeyShift ? L"Shift" : L"Alt";
    }
    return name;
}

void SetShortcutText(HMENU menu, const ShortcutEntry& entry) {
    std::array<wchar_t, kMenuTextChars> text{};
    if (::GetMenuStringW(menu, entry.command, text.data(), kMenuTextChars, MF_BYCOMMAND) <= 0) {
        return;
    }
    std::wstring newText = MenuTextWithShortcut(text.data(), KeyName(entry.key1));
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING;
    info.dwTypeData = newText.data();
    ::SetMenuItemInfoW(menu, entry.command, FALSE, &info);
}

void CollectMenuCommands(HMENU menu, const std::wstring& group, bool topLevel, std::vector<MenuCommandItem>& items) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        std::array<wchar_t, kMenuTextChars> text{};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = kMenuTextChars;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) || (info.fType & MFT_SEPARATOR)) {
            continue;
        }
        const std::wstring label = PlainMenuLabel(text.data());
        if (info.hSubMenu) {
            CollectMenuCommands(info.hSubMenu, topLevel ? label : group, false, items);
        } else if (info.wID != 0 && info.wID <= 0xFFFF) {
            items.push_back(MenuCommandItem{static_cast<std::uint16_t>(info.wID), label, group});
        }
    }
}

}  // namespace

AcceleratorTables BuildAcceleratorTables(std::span<const ShortcutEntry> entries) {
    const AcceleratorLists lists = DescribeAccelerators(entries);
    return AcceleratorTables{CreateTable(lists.main), CreateTable(lists.dialog)};
}

std::wstring KeyName(std::uint16_t key) {
    return ComposeKeyName(key, ModifierName, SystemKeyName);
}

void ApplyMenuShortcutTexts(HMENU menu, std::span<const ShortcutEntry> entries) {
    for (const ShortcutEntry& entry : entries) {
        SetShortcutText(menu, entry);
    }
    for (const ShortcutEntry& entry : FixedMenuShortcuts()) {
        SetShortcutText(menu, entry);
    }
}

std::vector<MenuCommandItem> ListMenuCommands(HMENU menu) {
    std::vector<MenuCommandItem> items;
    if (menu) {
        CollectMenuCommands(menu, std::wstring(), true, items);
    }
    return items;
}

}  // namespace kelpo
