// Favourites on the real main window: the menu from "favorite.xml", adding the current file,
// the old settings section, a file that is not a favourites list, and the command range.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "panes/favorites_file.h"
#include "panes/favorites_menu.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using FavoritesTest = test::MainWindowFixture;

constexpr char kBom[] = "\xEF\xBB\xBF";

std::string Utf8(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c);  // the scratch paths are ASCII
    }
    return bytes;
}

HMENU FavoritesPopup(HWND window) {
    return ::GetSubMenu(::GetMenu(window), 6);
}

void Command(HWND window, int command) {
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

TEST_F(FavoritesTest, AddingTheSameFileInAnotherCaseLeavesOneEntry) {
    const std::wstring file = folder_.File(L"Main.cpp");
    test::WriteFileBytes(file, "int main;\n");
    const std::wstring list = FavoritesFilePath();
    std::string upper = Utf8(file);
    for (char& c : upper) {
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    }
    const std::string seeded = std::string(kBom) + "<favorites><category name=\"W\"><file name=\"M\">" + upper +
                               "</file></category></favorites>";
    test::WriteFileBytes(list, seeded);
    ASSERT_NE(OpenDocument(file), nullptr);
    Command(window_, 191);
    EXPECT_EQ(test::ReadFileBytes(list), seeded);

    const std::wstring other = folder_.File(L"b&w.h");
    test::WriteFileBytes(other, "\n");
    ASSERT_NE(OpenDocument(other), nullptr);
    Command(window_, 191);
    Command(window_, 191);
    const std::string written = test::ReadFileBytes(list);
    const std::string entry = "<file name=\"b&amp;w.h\">" + Utf8(folder_.Path()) + "b&amp;w.h</file>";
    ASSERT_NE(written.find(entry), std::string::npos) << written;
    EXPECT_EQ(written.find(entry), written.rfind(entry));
    EXPECT_EQ(written.rfind(kBom, 0), 0u);

    // The two fixed items, a separator, the category's pop-up and the new entry with its "&" shown.
    HMENU popup = FavoritesPopup(window_);
    ASSERT_EQ(::GetMenuItemCount(popup), 5);
    EXPECT_NE(::GetSubMenu(popup, 3), nullptr);
    EXPECT_EQ(::GetMenuItemID(::GetSubMenu(popup, 3), 0), 450u);
    wchar_t label[64] = {};
    ::GetMenuStringW(popup, 451, label, 64, MF_BYCOMMAND);
    EXPECT_STREQ(label, L"b&&w.h");
    // Numbers without an entry stay free for the theme files that run into the range.
    EXPECT_FALSE(HandleFavoritesCommand(452));
}

TEST_F(FavoritesTest, EntriesFromTheExplorerAreAppendedAsTheyCome) {
    AddFavoriteEntries({});
    EXPECT_EQ(test::ReadFileBytes(FavoritesFilePath()), std::string(kBom) + "<favorites />\r\n");
    AddFavoriteEntries({{L"C:\\d\\", L"d"}, {L"C:\\d\\", L"again"}});
    EXPECT_EQ(test::ReadFileBytes(FavoritesFilePath()),
              std::string(kBom) + "<favorites>\r\n\t<file name=\"d\">C:\\d\\</file>\r\n"
                                  "\t<file name=\"again\">C:\\d\\</file>\r\n</favorites>\r\n");
    EXPECT_EQ(FavoriteMenuRecords().size(), 2u);
}

TEST_F(FavoritesTest, TheOldSettingsSectionBecomesTheFile) {
    test::TempFolder folder;
    test::ResetAppState(folder.Path());
    const IniFile settings(App().paths.settingsFile);
    ASSERT_TRUE(settings.EnsureUnicodeFile());
    const std::vector<std::wstring> lines = {L"-", L"C:\\a\\b.txt", L"C:\\x\\=Tools"};
    ASSERT_TRUE(settings.WriteList(L"Favorite", &lines));
    PrepareFavorites();
    EXPECT_EQ(test::ReadFileBytes(folder.File(L"favorite.xml")),
              std::string(kBom) + "<favorites>\r\n\t<separator />\r\n\t<file name=\"b.txt\">C:\\a\\b.txt</file>\r\n"
                                  "\t<file name=\"Tools\">C:\\x\\</file>\r\n</favorites>\r\n");
    EXPECT_TRUE(settings.ReadList(L"Favorite").empty());

    // An existing file is left alone, whatever the section holds.
    ASSERT_TRUE(settings.WriteList(L"Favorite", &lines));
    test::WriteFileBytes(folder.File(L"favorite.xml"), "<favorites/>");
    PrepareFavorites();
    EXPECT_EQ(test::ReadFileBytes(folder.File(L"favorite.xml")), "<favorites/>");
    EXPECT_EQ(settings.ReadList(L"Favorite").size(), 3u);
}

TEST_F(FavoritesTest, AFileThatIsNoListIsKeptAsideBeforeAnAdd) {
    const std::wstring list = FavoritesFilePath();
    test::WriteFileBytes(list, "half a list <fav");
    BuildFavoritesMenu();
    EXPECT_EQ(::GetMenuItemCount(FavoritesPopup(window_)), 2);

    const std::wstring file = folder_.File(L"a.c");
    test::WriteFileBytes(file, "\n");
    ASSERT_NE(OpenDocument(file), nullptr);
    Command(window_, 191);
    EXPECT_EQ(test::ReadFileBytes(folder_.File(L"favorite.unreadable.xml")), "half a list <fav");
    EXPECT_NE(test::ReadFileBytes(list).find("<file name=\"a.c\">"), std::string::npos);
    // No temporary file is left behind by the swap.
    for (const std::wstring& name : folder_.Names()) {
        EXPECT_NE(name.rfind(L"~kelpo", 0), 0u) << name.c_str();
    }
}

TEST_F(FavoritesTest, CommandsStopAtTheLastOfTheRangeAndMissingEntriesAreGreyed) {
    const std::wstring present = folder_.File(L"here.txt");
    test::WriteFileBytes(present, "here\n");
    std::string text = "<favorites><file name=\"gone\">" + Utf8(folder_.File(L"gone.txt")) + "</file>" +
                       "<file name=\"here\">" + Utf8(present) + "</file>";
    for (int i = 0; i < 100; ++i) {
        text += "<file name=\"f\">C:\\nowhere\\f" + std::to_string(i) + "</file>";
    }
    test::WriteFileBytes(FavoritesFilePath(), text + "</favorites>");
    BuildFavoritesMenu();
    HMENU popup = FavoritesPopup(window_);
    EXPECT_EQ(FavoriteMenuRecords().size(), 100u);
    EXPECT_EQ(::GetMenuState(popup, 550, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(::GetMenuState(popup, 549, MF_BYCOMMAND), static_cast<UINT>(-1));
    // The two entries past the range are reached through the organiser.
    const int count = ::GetMenuItemCount(popup);
    EXPECT_EQ(::GetMenuItemID(popup, count - 1), 192u);
    EXPECT_TRUE(::GetMenuState(popup, 450, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(popup, 451, MF_BYCOMMAND) & MF_GRAYED);
    for (const UINT id : {450u, 451u, 549u}) {  // the shell's picture, or the generic one of a missing file
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        ASSERT_TRUE(::GetMenuItemInfoW(popup, id, FALSE, &info));
        EXPECT_NE(info.hbmpItem, nullptr) << id;
    }

    Command(window_, 450);
    EXPECT_EQ(test::DocumentWithPath(folder_.File(L"gone.txt")), nullptr);
    Command(window_, 451);
    const Document* opened = test::DocumentWithPath(present);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Tabs()->Active(), opened);
}

}  // namespace
}  // namespace kelpo
