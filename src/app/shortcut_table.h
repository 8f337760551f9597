// The customisable keyboard shortcuts: the default table, the "shortcuts.ini" line form,
// the accelerator lists built from them and the names shown for keys in the menus.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// A key value as the hot-key control gives it: low byte the virtual-key code, high byte the
// modifiers. Other modifier bits (the control's "extended key" bit among them) are ignored.
inline constexpr std::uint8_t kHotkeyShift = 1;
inline constexpr std::uint8_t kHotkeyControl = 2;
inline constexpr std::uint8_t kHotkeyAlt = 4;
inline constexpr std::uint8_t kHotkeyKnownModifiers = kHotkeyShift | kHotkeyControl | kHotkeyAlt;

constexpr std::uint16_t MakeKey(std::uint8_t virtualKey, std::uint8_t modifiers = 0) {
    return static_cast<std::uint16_t>(virtualKey | (modifiers << 8));
}
constexpr std::uint8_t VirtualKeyOf(std::uint16_t key) { return static_cast<std::uint8_t>(key & 0xFF); }
constexpr std::uint8_t ModifiersOf(std::uint16_t key) {
    return static_cast<std::uint8_t>((key >> 8) & kHotkeyKnownModifiers);
}
// The key with its unknown modifier bits cleared: two values that press the same keys are equal.
constexpr std::uint16_t CanonicalKey(std::uint16_t key) { return MakeKey(VirtualKeyOf(key), ModifiersOf(key)); }
// Shift, Ctrl and Alt (either side) held alone: modifiers, not a key to go with them.
constexpr bool IsModifierKey(std::uint8_t virtualKey) {
    return (virtualKey >= 0x10 && virtualKey <= 0x12) || (virtualKey >= 0xA0 && virtualKey <= 0xA5);
}
// A value names a key to press when it has a virtual-key code that is not a modifier; one with
// modifier bits only ("shortcuts.ini" may hold such a value) has none.
constexpr bool HasKey(std::uint16_t key) {
    return VirtualKeyOf(key) != 0 && !IsModifierKey(VirtualKeyOf(key));
}

struct ShortcutEntry {
    std::uint16_t command = 0;
    std::uint16_t key1 = 0;  // 0 = none; the one shown in the menus
    std::uint16_t key2 = 0;  // 0 = none; works as an accelerator only
    friend bool operator==(const ShortcutEntry&, const ShortcutEntry&) = default;
};

inline constexpr std::size_t kDefaultShortcutCount = 61;
// Used whenever "shortcuts.ini" has no line at all; each entry has its first key only.
const std::array<ShortcutEntry, kDefaultShortcutCount>& DefaultShortcuts();

// Undo, redo, cut, copy, paste, delete and select all: shown in the menus, never customised,
// and left out of the accelerator table because the editor view handles those keys itself.
inline constexpr std::size_t kFixedMenuShortcutCount = 7;
const std::array<ShortcutEntry, kFixedMenuShortcutCount>& FixedMenuShortcuts();

// The lines of the "Shortcuts" section, "command=key1 + key2 * 65536" in unsigned decimal.
// A line that does not start with two such numbers is skipped, and so is one whose command does
// not fit 16 bits (cutting it down would bind the keys to an unrelated command). No lines at
// all give the default table; any line, even "8=0", replaces the defaults entirely.
std::vector<ShortcutEntry> ParseShortcutLines(const std::vector<std::wstring>& lines);
// Only entries with a key are written; no such entry gives no lines (which means the defaults).
std::vector<std::wstring> FormatShortcutLines(std::span<const ShortcutEntry> entries);

struct AcceleratorEntry {
    bool shift = false;
    bool control = false;
    bool alt = false;
    std::uint8_t virtualKey = 0;
    std::uint16_t command = 0;
    friend bool operator==(const AcceleratorEntry&, const AcceleratorEntry&) = default;
};

// The main list holds every key of every entry (first keys before second keys of the same
// entry); the dialog list holds those of the find, replace and find-in-files commands again, so
// that they keep working while a modeless dialog has the focus. A value without a key (HasKey)
// is left out: it could never be pressed, or would fire on the modifiers alone.
struct AcceleratorLists {
    std::vector<AcceleratorEntry> main;
    std::vector<AcceleratorEntry> dialog;
};
AcceleratorLists DescribeAccelerators(std::span<const ShortcutEntry> entries);

// The command other than exceptCommand that already has the key as its first or second key.
// Keys are compared without their unknown modifier bits; a value without a key never conflicts.
std::optional<std::uint16_t> FindShortcutConflict(std::span<const ShortcutEntry> entries, std::uint16_t key,
                                                  std::uint16_t exceptCommand);

// The first character and every letter after a space upper-case, every other letter lower-case
// ("CTRL" -> "Ctrl", "PAGE DOWN" -> "Page Down"). Letters outside ASCII, Latin-1 and basic
// Cyrillic keep their case.
std::wstring NormaliseKeyName(std::wstring name);

// The virtual keys whose system name is asked for with the extended-key flag set.
bool NeedsExtendedKeyFlag(std::uint8_t virtualKey);

// "Ctrl+Shift+F3": each modifier in the order Ctrl, Shift, Alt by its name and "+", then the key:
// digits and letters as themselves, any other key by its name; every name normalised.
// modifierName receives kHotkeyControl, kHotkeyShift or kHotkeyAlt, keyName a virtual-key code.
// A value without a key (HasKey), or whose key has no name, has no name at all: never "Ctrl+".
std::wstring ComposeKeyName(std::uint16_t key, const std::function<std::wstring(std::uint8_t)>& modifierName,
                            const std::function<std::wstring(std::uint8_t)>& keyName);

// A menu item's label as a list shows it: the part before the tab, without the "&" marks of
// its access key ("&&" stands for one "&").
std::wstring PlainMenuLabel(std::wstring_view itemText);

// The menu item's text cut after its first tab (a tab added when it has none), then the key name.
std::wstring MenuTextWithShortcut(std::wstring_view itemText, std::wstring_view keyName);

}  // namespace kelpo
