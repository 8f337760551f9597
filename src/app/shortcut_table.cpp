// Default shortcuts, their "shortcuts.ini" lines, accelerator lists and key names.
#include "app/shortcut_table.h"

#include <cwctype>

namespace kelpo {
namespace {

// Virtual-key codes used by the tables; spelled out because this file stays window-free.
constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkReturn = 0x0D;
constexpr std::uint8_t kVkSpace = 0x20;
constexpr std::uint8_t kVkUp = 0x26;
constexpr std::uint8_t kVkDown = 0x28;
constexpr std::uint8_t kVkDelete = 0x2E;
constexpr std::uint8_t Fkey(int n) { return static_cast<std::uint8_t>(0x70 + n - 1); }
constexpr std::uint8_t Ch(char c) { return static_cast<std::uint8_t>(c); }

constexpr std::uint8_t kShift = kHotkeyShift;
constexpr std::uint8_t kCtrl = kHotkeyControl;
constexpr std::uint8_t kAlt = kHotkeyAlt;

constexpr ShortcutEntry Entry(std::uint16_t command, std::uint8_t virtualKey, std::uint8_t modifiers = 0) {
    return ShortcutEntry{command, MakeKey(virtualKey, modifiers), 0};
}

constexpr std::array<ShortcutEntry, kDefaultShortcutCount> kDefaults = {{
    Entry(90, Ch('1'), kAlt), Entry(91, Ch('2'), kAlt), Entry(92, Ch('3'), kAlt), Entry(93, Ch('4'), kAlt),
    Entry(94, Ch('5'), kAlt), Entry(95, Ch('6'), kAlt), Entry(96, Ch('7'), kAlt), Entry(87, Ch('0'), kAlt),
    Entry(98, Fkey(11)),
    Entry(2, Ch('N'), kCtrl), Entry(3, Ch('O'), kCtrl), Entry(8, Ch('S'), kCtrl),
    Entry(9, Ch('S'), kCtrl | kAlt), Entry(10, Ch('S'), kCtrl | kShift), Entry(5, Ch('W'), kCtrl),
    Entry(7, Ch('W'), kCtrl | kShift),
    Entry(155, Fkey(2), kCtrl), Entry(156, Fkey(2)), Entry(157, Fkey(2), kShift), Entry(21, Fkey(4)),
    Entry(201, kVkTab, kCtrl), Entry(202, kVkTab, kCtrl | kShift), Entry(203, Fkey(12)), Entry(206, Fkey(10)),
    Entry(161, Fkey(7)), Entry(162, Fkey(8)), Entry(164, Fkey(5)), Entry(165, Fkey(5), kCtrl),
    Entry(166, Fkey(8), kCtrl), Entry(192, Ch('O'), kCtrl | kShift),
    Entry(141, Ch('F'), kCtrl), Entry(142, Ch('H'), kCtrl), Entry(147, Ch('F'), kCtrl | kShift),
    Entry(143, Fkey(3)), Entry(144, Fkey(3), kShift), Entry(145, Fkey(3), kCtrl),
    Entry(146, Fkey(3), kCtrl | kShift), Entry(149, Fkey(6)), Entry(148, Ch('G'), kCtrl), Entry(150, Fkey(1)),
    Entry(151, Ch('B'), kCtrl), Entry(152, Ch('B'), kCtrl | kShift), Entry(153, Ch('M'), kCtrl),
    Entry(154, Ch('M'), kCtrl | kShift),
    Entry(39, Ch('L'), kCtrl), Entry(42, Ch('D'), kCtrl), Entry(43, Ch('T'), kCtrl), Entry(44, kVkUp, kCtrl),
    Entry(45, kVkDown, kCtrl), Entry(46, Ch('I'), kCtrl), Entry(47, Ch('J'), kCtrl),
    Entry(63, Ch('U'), kCtrl | kShift), Entry(62, Ch('U'), kCtrl), Entry(48, Ch('S'), kShift | kAlt),
    Entry(71, Ch('R'), kShift | kAlt), Entry(65, Fkey(9)), Entry(66, Ch('K'), kCtrl),
    Entry(67, Ch('K'), kCtrl | kShift), Entry(68, kVkSpace, kCtrl | kShift), Entry(69, kVkSpace, kCtrl),
    Entry(70, kVkReturn, kCtrl),
}};

constexpr std::array<ShortcutEntry, kFixedMenuShortcutCount> kFixed = {{
    Entry(31, Ch('Z'), kCtrl), Entry(32, Ch('Y'), kCtrl), Entry(33, Ch('X'), kCtrl), Entry(34, Ch('C'), kCtrl),
    Entry(35, Ch('V'), kCtrl), Entry(36, kVkDelete), Entry(37, Ch('A'), kCtrl),
}};

constexpr std::uint16_t kFindCommand = 141;
constexpr std::uint16_t kReplaceCommand = 142;
constexpr std::uint16_t kFindInFilesCommand = 147;

// One "%u" conversion: leading white space, an optional plus sign, at least one digit.
// A value beyond 32 bits is no number of this file.
std::optional<std::uint32_t> ReadUnsigned(std::wstring_view text, std::size_t& pos) {
    while (pos < text.size() && std::iswspace(static_cast<std::wint_t>(text[pos]))) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == L'+') {
        ++pos;
    }
    if (pos >= text.size() || text[pos] < L'0' || text[pos] > L'9') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        value = value * 10 + static_cast<std::uint64_t>(text[pos] - L'0');
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        ++pos;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<ShortcutEntry> ParseShortcutLine(std::wstring_view line) {
    std::size_t pos = 0;
    const std::optional<std::uint32_t> command = ReadUnsigned(line, pos);
    if (!command || *command > 0xFFFF || pos >= line.size() || line[pos] != L'=') {
        return std::nullopt;
    }
    ++pos;
    const std::optional<std::uint32_t> keys = ReadUnsigned(line, pos);
    if (!keys) {
        return std::nullopt;
    }
    return ShortcutEntry{static_cast<std::uint16_t>(*command), static_cast<std::uint16_t>(*keys & 0xFFFF),
                         static_cast<std::uint16_t>(*keys >> 16)};
}

std::uint32_t StoredKeyValue(const ShortcutEntry& entry) {
    return entry.key1 + entry.key2 * 65536u;
}

AcceleratorEntry AcceleratorFor(std::uint16_t key, std::uint16_t command) {
    const std::uint8_t modifiers = ModifiersOf(key);
    return AcceleratorEntry{(modifiers & kHotkeyShift) != 0, (modifiers & kHotkeyControl) != 0,
                            (modifiers & kHotkeyAlt) != 0, VirtualKeyOf(key), command};
}

bool IsFindDialogCommand(std::uint16_t command) {
    return command == kFindCommand || command == kReplaceCommand || command == kFindInFilesCommand;
}

wchar_t ToUpper(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<wchar_t>(c - 0x50);
    }
    return c;
}

wchar_t ToLower(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x410 && c <= 0x42F)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<wchar_t>(c + 0x50);
    }
    return c;
}

bool IsDigitOrLetterKey(std::uint8_t virtualKey) {
    return (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z');
}

}  // namespace

const std::array<ShortcutEntry, kDefaultShortcutCount>& DefaultShortcuts() { return kDefaults; }

const std::array<ShortcutEntry, kFixedMenuShortcutCount>& FixedMenuShortcuts() { return kFixed; }

std::vector<ShortcutEntry> ParseShortcutLines(const std::vector<std::wstring>& lines) {
    if (lines.empty()) {
        return {kDefaults.begin(), kDefaults.end()};
    }
    std::vector<ShortcutEntry> entries;
    entries.reserve(lines.size());
    for (const std::wstring& line : lines) {
        if (const std::optional<ShortcutEntry> entry = ParseShortcutLine(line)) {
            entries.push_back(*entry);
        }
    }
    return entries;
}

std::vector<std::wstring> FormatShortcutLines(std::span<const ShortcutEntry> entries) {
    std::vector<std::wstring> lines;
    for (const ShortcutEntry& entry : entries) {
        if (StoredKeyValue(entry) != 0) {
            lines.push_back(std::to_wstring(entry.command) + L'=' + std::to_wstring(StoredKeyValue(entry)));
        }
    }
    return lines;
}

AcceleratorLists DescribeAccelerators(std::span<const ShortcutEntry> entries) {
    AcceleratorLists lists;
    for (const ShortcutEntry& entry : entries) {
        for (const std::uint16_t key : {entry.key1, entry.key2}) {
            if (!HasKey(key)) {
                continue;
            }
            lists.main.push_back(AcceleratorFor(key, entry.command));
            if (IsFindDialogCommand(entry.command)) {
                lists.dialog.push_back(lists.main.back());
            }
        }
    }
    return lists;
}

std::optional<std::uint16_t> FindShortcutConflict(std::span<const ShortcutEntry> entries, std::uint16_t key,
                                                  std::uint16_t exceptCommand) {
    if (!HasKey(key)) {
        return std::nullopt;
    }
    const std::uint16_t wanted = CanonicalKey(key);
    for (const ShortcutEntry& entry : entries) {
        if (entry.command == exceptCommand) {
            continue;
        }
        if ((entry.key1 != 0 && CanonicalKey(entry.key1) == wanted) ||
            (entry.key2 != 0 && CanonicalKey(entry.key2) == wanted)) {
            return entry.command;
        }
    }
    return std::nullopt;
}

std::wstring NormaliseKeyName(std::wstring name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool startsWord = i == 0 || name[i - 1] == L' ';
        name[i] = startsWord ? ToUpper(name[i]) : ToLower(name[i]);
    }
    return name;
}

bool NeedsExtendedKeyFlag(std::uint8_t virtualKey) {
    return (virtualKey >= 33 && virtualKey <= 40) || (virtualKey >= 44 && virtualKey <= 46) ||
           virtualKey == 188 || virtualKey == 190;
}

std::wstring ComposeKeyName(std::uint16_t key, const std::function<std::wstring(std::uint8_t)>& modifierName,
                            const std::function<std::wstring(std::uint8_t)>& keyName) {
    if (!HasKey(key)) {
        return {};
    }
    const std::uint8_t virtualKey = VirtualKeyOf(key);
    const std::wstring keyPart = IsDigitOrLetterKey(virtualKey) ? std::wstring(1, static_cast<wchar_t>(virtualKey))
                                                                : NormaliseKeyName(keyName(virtualKey));
    if (keyPart.empty()) {
        return {};
    }
    std::wstring name;
    const std::uint8_t modifiers = ModifiersOf(key);
    for (const std::uint8_t modifier : {kHotkeyControl, kHotkeyShift, kHotkeyAlt}) {
        if (modifiers & modifier) {
            name += NormaliseKeyName(modifierName(modifier));
            name += L'+';
        }
    }
    return name + keyPart;
}

std::wstring PlainMenuLabel(std::wstring_view itemText) {
    itemText = itemText.substr(0, itemText.find(L'\t'));
    std::wstring label;
    for (std::size_t i = 0; i < itemText.size(); ++i) {
        if (itemText[i] == L'&') {
            if (i + 1 < itemText.size() && itemText[i + 1] == L'&') {
                label += L'&';
                ++i;
            }
            continue;
        }
        label += itemText[i];
    }
    return label;
}

std::wstring MenuTextWithShortcut(std::wstring_view itemText, std::wstring_view keyName) {
    const std::size_t tab = itemText.find(L'\t');
    std::wstring text(itemText.substr(0, tab));
    text += L'\t';
    text += keyName;
    return text;
}

}  // namespace kelpo
