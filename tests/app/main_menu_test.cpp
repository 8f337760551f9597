// The main menu carries every command of the program, greys the missing features, and keeps the
// pop-ups other code finds by their first or marker command.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "app/main_menu.h"
#include "base/handles.h"

namespace kelpo {
namespace {

struct MenuWalk {
    std::set<int> commands;
    std::set<int> greyed;
    int duplicates = 0;
};

void Walk(HMENU menu, MenuWalk& walk) {
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            Walk(sub, walk);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) {
            continue;  // separator
        }
        if (!walk.commands.insert(static_cast<int>(id)).second) {
            ++walk.duplicates;
        }
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) {
            walk.greyed.insert(static_cast<int>(id));
        }
    }
}

// The pop-up whose item at `position` has the command.
HMENU FindPopupWithItem(HMENU menu, int command, int position) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (static_cast<int>(::GetMenuItemID(sub, position)) == command) {
                return sub;
            }
            if (HMENU found = FindPopupWithItem(sub, command, position)) {
                return found;
            }
        }
    }
    return nullptr;
}

std::set<int> Range(int first, int last) {
    std::set<int> ids;
    for (int id = first; id <= last; ++id) {
        ids.insert(id);
    }
    return ids;
}

TEST(MainMenu, CarriesEveryCommandOnce) {
    unique_hmenu menu(BuildMainMenu());
    ASSERT_TRUE(menu);
    MenuWalk walk;
    Walk(menu.get(), walk);
    EXPECT_EQ(walk.duplicates, 0);

    std::set<int> required = Range(2, 12);
    for (const std::set<int>& part :
         {std::set<int>{14, 16}, Range(17, 29), Range(31, 37), Range(39, 53), Range(55, 71), Range(82, 85),
          Range(87, 96), std::set<int>{98}, Range(100, 110), Range(112, 120), Range(122, 132), Range(141, 158),
          Range(161, 166), Range(171, 175), std::set<int>{181, 183, 185, 186, 187, 191, 192}, Range(201, 206),
          std::set<int>{217, 218, kMenuThemeAnchor}}) {
        required.insert(part.begin(), part.end());
    }
    required.erase(54);  // no command has these numbers
    for (const int id : required) {
        EXPECT_TRUE(walk.commands.count(id)) << "command " << id;
    }
}

TEST(MainMenu, GreysExactlyTheMissingFeatures) {
    unique_hmenu menu(BuildMainMenu());
    ASSERT_TRUE(menu);
    MenuWalk walk;
    Walk(menu.get(), walk);
    const std::span<const int> unavailable = UnavailableCommands();
    EXPECT_EQ(walk.greyed, std::set<int>(unavailable.begin(), unavailable.end()));
    for (const int id : {150}) {
        EXPECT_TRUE(walk.greyed.count(id)) << id;
        EXPECT_FALSE(IsCommandAvailable(id));
    }
    for (const int id : {2, 17, 21, 64, 65, 68, 141, 191, 192, 142, 147, 149, 151, 161, 164, 166, 181, 204, 217}) {
        EXPECT_FALSE(walk.greyed.count(id)) << id;
        EXPECT_TRUE(IsCommandAvailable(id));
    }
    // Every greyed identifier is a real menu item, so removing it from the table shows it.
    for (const int id : unavailable) {
        EXPECT_TRUE(walk.commands.count(id)) << id;
    }
}

TEST(MainMenu, PopupsFoundByTheirMarkers) {
    unique_hmenu menu(BuildMainMenu());
    ASSERT_TRUE(menu);
    EXPECT_NE(FindPopupWithItem(menu.get(), 14, 0), nullptr);   // recent files
    EXPECT_NE(FindPopupWithItem(menu.get(), 16, 0), nullptr);   // recent projects
    EXPECT_NE(FindPopupWithItem(menu.get(), kMenuThemeAnchor, 0), nullptr);
    HMENU window = FindPopupWithItem(menu.get(), 201, 0);
    ASSERT_NE(window, nullptr);
    // The window list is appended after 206, so 206 ends the pop-up.
    EXPECT_EQ(::GetMenuItemID(window, ::GetMenuItemCount(window) - 1), 206u);
    HMENU file = ::GetSubMenu(menu.get(), 0);
    EXPECT_EQ(::GetMenuItemID(file, ::GetMenuItemCount(file) - 1), 17u);  // exit ends the File menu
    wchar_t title[32] = {};
    ::GetMenuStringW(menu.get(), 0, title, 32, MF_BYPOSITION);
    EXPECT_STREQ(title, L"&File");
}

}  // namespace
}  // namespace kelpo
