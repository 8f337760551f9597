// The shortcut table: defaults, the "shortcuts.ini" lines, accelerator lists, conflicts, key names.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/shortcut_table.h"

namespace kelpo {
namespace {

constexpr std::uint8_t kF3 = 0x72;

std::uint16_t DefaultKeyOf(std::uint16_t command) {
    for (const ShortcutEntry& entry : DefaultShortcuts()) {
        if (entry.command == command) {
            return entry.key1;
        }
    }
    return 0;
}

std::wstring FakeModifierName(std::uint8_t modifier) {
    return modifier == kHotkeyControl ? L"CTRL" : modifier == kHotkeyShift ? L"SHIFT" : L"ALT";
}

std::wstring FakeKeyName(std::uint8_t virtualKey) {
    switch (virtualKey) {
    case 0x22: return L"PAGE DOWN";
    case 0x72: return L"F3";
    case 0x0D: return L"ENTER";
    default: return L"?";
    }
}

TEST(ShortcutDefaults, SixtyOneEntriesInOrderWithFirstKeysOnly) {
    const auto& defaults = DefaultShortcuts();
    ASSERT_EQ(defaults.size(), 61u);
    EXPECT_EQ(defaults.front(), (ShortcutEntry{90, MakeKey('1', kHotkeyAlt), 0}));
    EXPECT_EQ(defaults[8], (ShortcutEntry{98, MakeKey(0x7A), 0}));  // F11
    EXPECT_EQ(defaults.back(), (ShortcutEntry{70, MakeKey(0x0D, kHotkeyControl), 0}));
    std::set<std::uint16_t> commands;
    std::set<std::uint16_t> keys;
    for (const ShortcutEntry& entry : defaults) {
        EXPECT_EQ(entry.key2, 0) << entry.command;
        EXPECT_NE(entry.key1, 0) << entry.command;
        commands.insert(entry.command);
        keys.insert(entry.key1);
    }
    EXPECT_EQ(commands.size(), 61u);  // no command twice
    EXPECT_EQ(keys.size(), 61u);      // and no key bound twice
    EXPECT_EQ(DefaultKeyOf(9), MakeKey('S', kHotkeyControl | kHotkeyAlt));
    EXPECT_EQ(DefaultKeyOf(146), MakeKey(kF3, kHotkeyControl | kHotkeyShift));
    EXPECT_EQ(DefaultKeyOf(48), MakeKey('S', kHotkeyShift | kHotkeyAlt));
    EXPECT_EQ(DefaultKeyOf(68), MakeKey(0x20, kHotkeyControl | kHotkeyShift));
    EXPECT_EQ(DefaultKeyOf(202), MakeKey(0x09, kHotkeyControl | kHotkeyShift));

    const auto& fixed = FixedMenuShortcuts();
    ASSERT_EQ(fixed.size(), 7u);
    EXPECT_EQ(fixed[0], (ShortcutEntry{31, MakeKey('Z', kHotkeyControl), 0}));
    EXPECT_EQ(fixed[5], (ShortcutEntry{36, MakeKey(0x2E), 0}));  // Del, no modifier
}

TEST(ShortcutLines, EmptySectionGivesDefaultsAndAnyLineReplacesThem) {
    const std::vector<ShortcutEntry> defaults = ParseShortcutLines({});
    EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), DefaultShortcuts().begin(), DefaultShortcuts().end()));

    // "8=0": command 8 without a key and nothing else, not even the defaults.
    EXPECT_EQ(ParseShortcutLines({L"8=0"}), (std::vector<ShortcutEntry>{{8, 0, 0}}));

    // Only unusable lines: the section was not empty, so the table is.
    EXPECT_TRUE(ParseShortcutLines({L"garbage", L"=5", L"8="}).empty());
}

TEST(ShortcutLines, ParsesBothKeysAndSkipsWhatIsNotTwoNumbers) {
    const std::uint32_t twoKeys = MakeKey(kF3) + MakeKey('N', kHotkeyControl) * 65536u;
    const std::vector<ShortcutEntry> entries = ParseShortcutLines({
        L"143=" + std::to_wstring(twoKeys),
        L"x=1",
        L"141 =582",                 // "%u=" needs the sign right after the number
        L"141= 582 trailing text",   // white space before a number and text after it are fine
        L"99999=1",                  // no 16-bit command
        L"1=4294967296",             // beyond 32 bits
        L"-1=5",
        L"+7=+9",
    });
    EXPECT_EQ(entries, (std::vector<ShortcutEntry>{
                           {143, MakeKey(kF3), MakeKey('N', kHotkeyControl)}, {141, 582, 0}, {7, 9, 0}}));
}

TEST(ShortcutLines, FormatWritesEntriesWithKeysAndRoundTrips) {
    const std::vector<ShortcutEntry> entries = {
        {143, MakeKey(kF3), MakeKey('N', kHotkeyControl)}, {8, 0, 0}, {5, 0, MakeKey('W', kHotkeyAlt)}, {9, 0x253, 0}};
    const std::vector<std::wstring> lines = FormatShortcutLines(entries);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"143=38666354", L"5=72810496", L"9=595"}));
    EXPECT_EQ(ParseShortcutLines(lines),
              (std::vector<ShortcutEntry>{entries[0], entries[2], entries[3]}));
    EXPECT_TRUE(FormatShortcutLines(std::vector<ShortcutEntry>{{8, 0, 0}}).empty());
}

TEST(ShortcutAccelerators, BothKeysAndTheDialogListForFindCommands) {
    const std::vector<ShortcutEntry> entries = {
        {143, MakeKey(kF3), MakeKey('N', kHotkeyControl | kHotkeyShift | kHotkeyAlt)},
        {142, MakeKey('H', kHotkeyControl), 0},
        {8, 0, 0},
        {9, MakeKey('S', 0x08 | kHotkeyControl), 0},  // unknown bit 8 dropped
        {10, MakeKey(0, kHotkeyControl), 0},           // modifiers alone cannot be pressed
        {147, 0, MakeKey('F', kHotkeyControl | kHotkeyShift)},
    };
    const AcceleratorLists lists = DescribeAccelerators(entries);
    EXPECT_EQ(lists.main, (std::vector<AcceleratorEntry>{
                              {false, false, false, kF3, 143},
                              {true, true, true, 'N', 143},
                              {false, true, false, 'H', 142},
                              {false, true, false, 'S', 9},
                              {true, true, false, 'F', 147},
                          }));
    EXPECT_EQ(lists.dialog, (std::vector<AcceleratorEntry>{{false, true, false, 'H', 142},
                                                           {true, true, false, 'F', 147}}));

    // Values with modifiers but no key would never fire, or fire on the modifiers alone.
    const std::vector<ShortcutEntry> keyless = {{8, MakeKey(0, kHotkeyControl | kHotkeyShift | kHotkeyAlt),
                                                 MakeKey(0x10, kHotkeyControl | kHotkeyShift)},
                                                {141, MakeKey(0xA2, kHotkeyControl), 0}};
    EXPECT_TRUE(DescribeAccelerators(keyless).main.empty());
    EXPECT_TRUE(DescribeAccelerators(keyless).dialog.empty());
    EXPECT_EQ(FindShortcutConflict(keyless, MakeKey(0x10, kHotkeyControl | kHotkeyShift), 2), std::nullopt);

    const AcceleratorLists defaults = DescribeAccelerators(DefaultShortcuts());
    EXPECT_EQ(defaults.main.size(), 61u);
    ASSERT_EQ(defaults.dialog.size(), 3u);
    EXPECT_EQ(defaults.dialog[0], (AcceleratorEntry{false, true, false, 'F', 141}));
}

TEST(ShortcutConflicts, FindsTheOtherCommandHoldingTheKey) {
    std::vector<ShortcutEntry> entries(DefaultShortcuts().begin(), DefaultShortcuts().end());
    EXPECT_EQ(FindShortcutConflict(entries, MakeKey(kF3), 141), std::optional<std::uint16_t>(143));
    EXPECT_EQ(FindShortcutConflict(entries, MakeKey(kF3), 143), std::nullopt);  // its own key again
    EXPECT_EQ(FindShortcutConflict(entries, MakeKey(kF3, kHotkeyAlt), 141), std::nullopt);
    EXPECT_EQ(FindShortcutConflict(entries, 0, 141), std::nullopt);
    // The hot-key control marks extended keys with bit 8; Ctrl+Up is still Ctrl+Up.
    EXPECT_EQ(FindShortcutConflict(entries, MakeKey(0x26, kHotkeyControl | 0x08), 0),
              std::optional<std::uint16_t>(44));
    entries.push_back({300, 0, MakeKey('Q', kHotkeyControl)});
    EXPECT_EQ(FindShortcutConflict(entries, MakeKey('Q', kHotkeyControl), 2), std::optional<std::uint16_t>(300));
}

TEST(ShortcutNames, NormalisingAndComposing) {
    EXPECT_EQ(NormaliseKeyName(L"CTRL"), L"Ctrl");
    EXPECT_EQ(NormaliseKeyName(L"PAGE DOWN"), L"Page Down");
    EXPECT_EQ(NormaliseKeyName(L"num +"), L"Num +");
    EXPECT_EQ(NormaliseKeyName(L"\u00C9CHAP \u00C9"), L"\u00C9chap \u00C9");  // Latin-1 letters too
    EXPECT_EQ(NormaliseKeyName(L"\u0421\u0422\u0420\u041B"), L"\u0421\u0442\u0440\u043B");
    EXPECT_EQ(NormaliseKeyName(L""), L"");

    EXPECT_EQ(ComposeKeyName(MakeKey(kF3, kHotkeyShift | kHotkeyControl), FakeModifierName, FakeKeyName),
              L"Ctrl+Shift+F3");
    EXPECT_EQ(ComposeKeyName(MakeKey('7', kHotkeyAlt | kHotkeyShift | 0x08), FakeModifierName, FakeKeyName),
              L"Shift+Alt+7");
    EXPECT_EQ(ComposeKeyName(MakeKey(0x22, kHotkeyControl), FakeModifierName, FakeKeyName), L"Ctrl+Page Down");
    EXPECT_EQ(ComposeKeyName(MakeKey(0x0D), FakeModifierName, FakeKeyName), L"Enter");
    EXPECT_EQ(ComposeKeyName(0, FakeModifierName, FakeKeyName), L"");

    // Modifiers without a key to go with them, or with a key that has no name: no name at all.
    const std::uint8_t all = kHotkeyControl | kHotkeyShift | kHotkeyAlt;
    const auto noName = [](std::uint8_t virtualKey) { return virtualKey == 0x07 ? L"" : FakeKeyName(virtualKey); };
    for (const std::uint16_t keyless : {MakeKey(0, all), MakeKey(0x10, all), MakeKey(0x11, kHotkeyControl),
                                        MakeKey(0xA5, kHotkeyAlt), MakeKey(0x07, all)}) {
        EXPECT_EQ(ComposeKeyName(keyless, FakeModifierName, noName), L"") << keyless;
    }

    EXPECT_TRUE(NeedsExtendedKeyFlag(33) && NeedsExtendedKeyFlag(40) && NeedsExtendedKeyFlag(46));
    EXPECT_TRUE(NeedsExtendedKeyFlag(188) && NeedsExtendedKeyFlag(190));
    EXPECT_FALSE(NeedsExtendedKeyFlag(41) || NeedsExtendedKeyFlag(47) || NeedsExtendedKeyFlag(189));
}

TEST(ShortcutMenuTexts, CutAfterTheFirstTabAndAppendTheKey) {
    EXPECT_EQ(MenuTextWithShortcut(L"&Save", L"Ctrl+S"), L"&Save\tCtrl+S");
    EXPECT_EQ(MenuTextWithShortcut(L"&Save\tCtrl+Q\tmore", L"Ctrl+S"), L"&Save\tCtrl+S");
    EXPECT_EQ(MenuTextWithShortcut(L"&Save\tCtrl+Q", L""), L"&Save\t");
    EXPECT_EQ(PlainMenuLabel(L"Find && &Replace...\tCtrl+H"), L"Find & Replace...");
    EXPECT_EQ(PlainMenuLabel(L"Trailing&"), L"Trailing");
}

}  // namespace
}  // namespace kelpo
