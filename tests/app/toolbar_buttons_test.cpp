// Stored toolbar button lists and tool-tip texts.
#include <gtest/gtest.h>

#include "app/toolbar_buttons.h"

namespace kelpo {
namespace {

std::vector<int> Commands(const std::vector<ToolbarButton>& buttons) {
    std::vector<int> commands;
    for (const ToolbarButton& b : buttons) {
        commands.push_back(b.command);
    }
    return commands;
}

TEST(ToolbarButtons, DefaultSetIsTheTableWithoutTheFavouritesButton) {
    const auto defaults = DefaultMainToolbar();
    EXPECT_EQ(defaults.size(), 30u);
    EXPECT_EQ(defaults.front().command, 2);
    EXPECT_TRUE(defaults.front().dropDown);
    EXPECT_EQ(defaults.back().command, 181);
    EXPECT_EQ(MainToolbarTable().back().command, 191);
    EXPECT_EQ(MainToolbarTable().back().icon, 36);
}

TEST(ToolbarButtons, StoredListKeepsKnownButtonsAndSeparators) {
    const auto defaults = DefaultMainToolbar();
    const auto parsed = ParseToolbarButtons(L"3 | 8  999 x 191 183", MainToolbarTable(), defaults);
    EXPECT_EQ(Commands(parsed), (std::vector<int>{3, 0, 8, 191, 183}));
    EXPECT_EQ(parsed[4].icon, 31);
    EXPECT_EQ(FormatToolbarButtons(parsed), L"3 | 8 191 183");
    EXPECT_EQ(Commands(ParseToolbarButtons(L"", MainToolbarTable(), defaults)), Commands(defaults));
    EXPECT_EQ(Commands(ParseToolbarButtons(L"| 999 |", MainToolbarTable(), defaults)), Commands(defaults));
}

TEST(ToolbarButtons, AtMostSixtyFourItemsAreRead) {
    std::wstring text;
    for (int i = 0; i < 64; ++i) {
        text += L"| ";
    }
    text += L"8";
    EXPECT_EQ(Commands(ParseToolbarButtons(text, MainToolbarTable(), DefaultMainToolbar())),
              Commands(DefaultMainToolbar()));
}

TEST(ToolbarButtons, ToolTipsComeFromMenuTexts) {
    EXPECT_EQ(ToolTipFromMenuText(L"&Save\tCtrl+S"), L"Save Ctrl+S");
    EXPECT_EQ(ToolTipFromMenuText(L"Find in &Files (all)\tCtrl+Shift+F"), L"Find in Files ");
}

}  // namespace
}  // namespace kelpo
