// The Options dialog's first three pages against the option words, and the shortcut page's
// key assignment with its conflict refusal.
#include <gtest/gtest.h>

#include "app/options_values.h"
#include "app/shortcut_assignment.h"
#include "base/config_bits.h"
#include "base/settings_values.h"

namespace kelpo {
namespace {

constexpr std::uint8_t kF3 = 0x72;

TEST(OptionsGeneralPage, ReadsAndWritesOnlyItsBits) {
    const OptionWords defaults{kConfig1Default, kConfig2Default};
    const GeneralOptions read = ReadGeneralOptions(defaults, 20);
    EXPECT_EQ(read.mruSize, 20);
    EXPECT_FALSE(read.severalInstances);
    EXPECT_TRUE(read.session);
    EXPECT_TRUE(read.newFileAtStart);
    EXPECT_FALSE(read.trayIcon);
    EXPECT_FALSE(read.titleFileNameOnly);
    EXPECT_TRUE(read.checkUpdates);
    EXPECT_EQ(ApplyGeneralOptions(defaults, read), defaults);

    GeneralOptions changed = read;
    changed.severalInstances = true;
    changed.session = false;
    changed.trayIcon = true;
    changed.titleFileNameOnly = true;
    changed.checkUpdates = false;
    const OptionWords after = ApplyGeneralOptions(defaults, changed);
    EXPECT_EQ(after.config1, (kConfig1Default | kC1SeveralInstances | kC1TrayIcon) & ~kC1Session);
    EXPECT_EQ(after.config2, (kConfig2Default | kC2TitleFileNameOnly) & ~kC2CheckUpdates);
    EXPECT_EQ(ReadGeneralOptions(after, 20), changed);
}

TEST(OptionsGeneralPage, RecentListSizeStaysInItsRange) {
    EXPECT_EQ(ClampMruSize(-1), 0);
    EXPECT_EQ(ClampMruSize(0), 0);
    EXPECT_EQ(ClampMruSize(30), 30);
    EXPECT_EQ(ClampMruSize(31), 30);
    EXPECT_EQ(ReadGeneralOptions({}, 99).mruSize, 30);
}

TEST(OptionsTabsPage, SixBitsOfConfig2) {
    const OptionWords none{0xFFFFFFFFu, 0};
    TabOptions all;
    all.doubleClickCloses = all.middleClickCloses = all.multiline = all.fixedWidth = all.bottom = all.tipFullPath = true;
    const OptionWords set = ApplyTabOptions(none, all);
    EXPECT_EQ(set.config1, 0xFFFFFFFFu);
    EXPECT_EQ(set.config2, kC2DoubleClickCloses | kC2MiddleClickCloses | kC2TabsMultiline | kC2TabsFixedWidth |
                               kC2TabsBottom | kC2TabTipFullPath);
    EXPECT_EQ(ReadTabOptions(set), all);
    EXPECT_EQ(ApplyTabOptions({0, 0xFFFFFFFFu}, TabOptions{}).config2,
              ~(kC2DoubleClickCloses | kC2MiddleClickCloses | kC2TabsMultiline | kC2TabsFixedWidth | kC2TabsBottom |
                kC2TabTipFullPath));
}

TEST(OptionsEditingPage, WidthsAndInsertSpaces) {
    const OptionWords defaults{kConfig1Default, kConfig2Default};
    const EditingOptions read = ReadEditingOptions(defaults);
    EXPECT_EQ(read.tabWidth, 4);
    EXPECT_EQ(read.indentWidth, 4);
    EXPECT_TRUE(read.insertSpaces);

    const OptionWords after = ApplyEditingOptions(defaults, {8, 2, false});
    EXPECT_EQ(TabWidthOf(after.config2), 8);
    EXPECT_EQ(IndentWidthOf(after.config2), 2);
    EXPECT_NE(after.config2 & kC2UseTabs, 0u);
    EXPECT_EQ(after.config2 & ~0x1FFu, kConfig2Default & ~0x1FFu);  // nothing else moves

    const OptionWords clamped = ApplyEditingOptions(defaults, {0, 40, true});
    EXPECT_EQ(TabWidthOf(clamped.config2), 1);
    EXPECT_EQ(IndentWidthOf(clamped.config2), 15);
    EXPECT_EQ(clamped.config2 & kC2UseTabs, 0u);
}

TEST(ShortcutAssignment, RowsFollowTheMenuAndKeepOtherStoredCommands) {
    const std::vector<std::uint16_t> menu = {2, 3, 8, 3};
    const std::vector<ShortcutEntry> table = {{8, MakeKey('S', kHotkeyControl), MakeKey('S', kHotkeyAlt)},
                                              {999, MakeKey('Q', kHotkeyControl), 0}};
    const std::vector<ShortcutEntry> rows = ShortcutRowsForMenu(menu, table);
    const std::vector<ShortcutEntry> expected = {{2, 0, 0},
                                                 {3, 0, 0},
                                                 {8, MakeKey('S', kHotkeyControl), MakeKey('S', kHotkeyAlt)},
                                                 {999, MakeKey('Q', kHotkeyControl), 0}};
    EXPECT_EQ(rows, expected);
}

TEST(ShortcutAssignment, ConflictIsRefusedAndNamesTheHolder) {
    std::vector<ShortcutEntry> rows = {{143, MakeKey(kF3), 0},
                                       {144, MakeKey(kF3, kHotkeyShift), 0},
                                       {8, MakeKey('S', kHotkeyControl), MakeKey('K', kHotkeyControl)},
                                       {2, 0, 0}};
    const std::vector<ShortcutEntry> before = rows;

    KeyAssignment result = AssignShortcutKey(rows, 2, MakeKey(kF3));
    EXPECT_FALSE(result.taken);
    EXPECT_EQ(result.conflictWith, 143);
    EXPECT_EQ(rows, before);

    // The second key counts as taken too, and unknown modifier bits do not hide a conflict.
    result = AssignShortcutKey(rows, 2, static_cast<std::uint16_t>(MakeKey('K', kHotkeyControl) | 0x0800));
    EXPECT_EQ(result.conflictWith, 8);
    EXPECT_EQ(rows, before);

    // A command may take a key it already has; its second key stays.
    result = AssignShortcutKey(rows, 8, MakeKey('K', kHotkeyControl));
    EXPECT_TRUE(result.taken);
    EXPECT_EQ(rows[2], (ShortcutEntry{8, MakeKey('K', kHotkeyControl), MakeKey('K', kHotkeyControl)}));

    result = AssignShortcutKey(rows, 2, MakeKey('N', kHotkeyControl | kHotkeyShift));
    EXPECT_TRUE(result.taken);
    EXPECT_EQ(rows[3].key1, MakeKey('N', kHotkeyControl | kHotkeyShift));

    // Key 0 clears the first key and never conflicts, even with commands without keys.
    result = AssignShortcutKey(rows, 143, 0);
    EXPECT_TRUE(result.taken);
    EXPECT_EQ(rows[0].key1, 0);
}

}  // namespace
}  // namespace kelpo
