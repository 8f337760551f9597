// Accelerator tables, key names and menu texts made from the shortcut table by the system calls.
#include <gtest/gtest.h>

#include <vector>

#include "app/shortcut_keys_win.h"

namespace kelpo {
namespace {

std::vector<ACCEL> TableEntries(HACCEL table) {
    std::vector<ACCEL> entries(static_cast<std::size_t>(::CopyAcceleratorTableW(table, nullptr, 0)));
    ::CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

std::wstring MenuText(HMENU menu, UINT command) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, command, text, 256, MF_BYCOMMAND);
    return text;
}

TEST(ShortcutKeysWin, AcceleratorTablesFromTheDefaults) {
    const AcceleratorTables tables = BuildAcceleratorTables(DefaultShortcuts());
    ASSERT_TRUE(tables.main);
    ASSERT_TRUE(tables.dialog);
    const std::vector<ACCEL> main = TableEntries(tables.main.get());
    ASSERT_EQ(main.size(), 61u);
    EXPECT_EQ(main[9].cmd, 2);
    EXPECT_EQ(main[9].key, 'N');
    EXPECT_EQ(main[9].fVirt, FVIRTKEY | FNOINVERT | FCONTROL);
    EXPECT_EQ(main[0].fVirt, FVIRTKEY | FNOINVERT | FALT);
    const std::vector<ACCEL> dialog = TableEntries(tables.dialog.get());
    ASSERT_EQ(dialog.size(), 3u);
    EXPECT_EQ(dialog[2].cmd, 147);
    EXPECT_EQ(dialog[2].fVirt, FVIRTKEY | FNOINVERT | FCONTROL | FSHIFT);

    // "8=0" leaves nothing to press: no table at all rather than a failed empty one.
    const std::vector<ShortcutEntry> none = {{8, 0, 0}};
    const AcceleratorTables empty = BuildAcceleratorTables(none);
    EXPECT_FALSE(empty.main);
    EXPECT_FALSE(empty.dialog);
}

TEST(ShortcutKeysWin, KeyNamesAndMenuTexts) {
    const std::wstring ctrlS = KeyName(MakeKey('S', kHotkeyControl));
    ASSERT_GE(ctrlS.size(), 3u);
    EXPECT_EQ(ctrlS.substr(ctrlS.size() - 2), L"+S");
    EXPECT_EQ(KeyName(MakeKey('S', kHotkeyControl | 0x08)), ctrlS);
    const std::wstring f3 = KeyName(MakeKey(0x72));
    EXPECT_EQ(f3, L"F3");
    const std::wstring pageDown = KeyName(MakeKey(VK_NEXT));
    EXPECT_FALSE(pageDown.empty());
    EXPECT_EQ(KeyName(0), L"");
    // A key the layout has no name for shows nothing rather than a dangling "Ctrl+Shift+Alt+".
    EXPECT_EQ(KeyName(MakeKey(0x07, kHotkeyControl | kHotkeyShift | kHotkeyAlt)), L"");
    const std::wstring numPad = KeyName(MakeKey(VK_NUMPAD1, kHotkeyControl));
    EXPECT_EQ(numPad.substr(numPad.find(L'+')), L"+Num 1");

    unique_hmenu bar(::CreateMenu());
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, 8, L"&Save\tstale");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, 17, L"E&xit");
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenuW(edit, MF_STRING, 34, L"&Copy");
    ::AppendMenuW(edit, MF_STRING, 143, L"Find &Next");
    ::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");

    const std::vector<ShortcutEntry> entries = {{8, MakeKey('S', kHotkeyControl), 0}, {143, 0, MakeKey(0x72)}};
    ApplyMenuShortcutTexts(bar.get(), entries);
    EXPECT_EQ(MenuText(bar.get(), 8), L"&Save\t" + ctrlS);
    EXPECT_EQ(MenuText(bar.get(), 143), L"Find &Next\t");  // the second key is not shown
    EXPECT_EQ(MenuText(bar.get(), 34), L"&Copy\t" + KeyName(MakeKey('C', kHotkeyControl)));
    EXPECT_EQ(MenuText(bar.get(), 17), L"E&xit");

    const std::vector<MenuCommandItem> items = ListMenuCommands(bar.get());
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].command, 8);
    EXPECT_EQ(items[0].label, L"Save");
    EXPECT_EQ(items[0].group, L"File");
    EXPECT_EQ(items[3].command, 143);
    EXPECT_EQ(items[3].group, L"Edit");
}

}  // namespace
}  // namespace kelpo
