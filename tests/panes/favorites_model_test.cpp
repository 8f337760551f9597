// The favourites tree without windows: old lines, duplicates, the menu's command range, sorting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panes/favorites_model.h"

namespace kelpo {
namespace {

TEST(FavoritesModel, OldSectionLines) {
    struct Case {
        const wchar_t* line;
        bool separator;
        const wchar_t* path;
        const wchar_t* name;
    };
    const Case cases[] = {
        {L"-", true, L"", L""},
        {L"-----", true, L"", L""},
        {L"C:\\a\\b.txt", false, L"C:\\a\\b.txt", L"b.txt"},
        {L"C:\\x\\=Tools", false, L"C:\\x\\", L"Tools"},
        {L"C:\\a=b\\c.txt=Mine", false, L"C:\\a=b\\c.txt", L"Mine"},
        {L"C:\\src\\", false, L"C:\\src", L"src"},
        {L"plain", false, L"plain", L"plain"},
    };
    for (const Case& c : cases) {
        const OldFavoriteLine line = ParseOldFavoriteLine(c.line);
        EXPECT_EQ(line.separator, c.separator) << c.line;
        EXPECT_EQ(line.path, c.path) << c.line;
        EXPECT_EQ(line.name, c.name) << c.line;
    }
}

TEST(FavoritesModel, FindsAPathInAnyCategoryWithoutRegardToCase) {
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<favorites><file name='a'>C:\\Top\\a.c</file><category name='w'><category name='x'>"
                               "<file name='B.H'>C:\\Deep\\B.H</file></category></category><separator/></favorites>"));
    const XmlElement* root = FavoritesRoot(document, false);
    ASSERT_NE(root, nullptr);
    const struct {
        const char* path;
        bool found;
    } cases[] = {{"c:\\top\\A.C", true}, {"C:\\deep\\b.h", true}, {"C:\\Deep\\B.H2", false}, {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(FindFavoriteByPath(*root, c.path) != nullptr, c.found) << c.path;
    }
    // Only ASCII letters fold: a non-ASCII letter in another case is another path.
    EXPECT_FALSE(EqualsIgnoringAsciiCase("C:\\\xC3\xA9", "C:\\\xC3\x89"));
}

TEST(FavoritesModel, MenuPlanNumbersFilesAndNeverPassesTheLastCommand) {
    std::string text = "<favorites><category name='c'><file name='in' d='1'>C:\\in</file></category><separator/>";
    for (int i = 0; i < 102; ++i) {
        text += "<file name='f" + std::to_string(i) + "'>C:\\f" + std::to_string(i) + "</file>";
    }
    text += "<other name='last'>C:\\last</other></favorites>";
    XmlDocument document;
    ASSERT_TRUE(document.Parse(text.c_str()));
    const FavoriteMenuPlan plan = PlanFavoritesMenu(*FavoritesRoot(document, false), false);
    ASSERT_GE(plan.rows.size(), 4u);
    EXPECT_EQ(plan.rows[0].kind, FavoriteRowKind::Popup);
    EXPECT_EQ(plan.rows[0].label, "c");
    EXPECT_EQ(plan.rows[1].command, 450);
    EXPECT_TRUE(plan.rows[1].folder);
    EXPECT_EQ(plan.rows[2].kind, FavoriteRowKind::End);
    EXPECT_EQ(plan.rows[3].kind, FavoriteRowKind::Separator);
    int files = 0;
    for (const FavoriteMenuRow& row : plan.rows) {
        if (row.kind == FavoriteRowKind::File) {
            EXPECT_EQ(row.command, kFirstFavoriteCommand + files);
            ++files;
        }
    }
    EXPECT_EQ(files, 100);
    EXPECT_EQ(plan.rows.back().command, kLastFavoriteCommand);
    EXPECT_EQ(plan.overflow, 4);  // f99, f100, f101 and the element of another name

    const FavoriteMenuPlan paths = PlanFavoritesMenu(*FavoritesRoot(document, false), true);
    EXPECT_EQ(paths.rows[1].label, "C:\\in");
}

std::vector<std::wstring> SortedNames(std::vector<FavoriteSortItem>& items, FavoriteSortKey key, bool ascending) {
    SortFavoriteItems(items, key, ascending);
    std::vector<std::wstring> names;
    for (const FavoriteSortItem& item : items) {
        names.push_back(item.name);
    }
    return names;
}

TEST(FavoritesModel, SortingKeepsTheGroupsAndReversesWithinThem) {
    using R = FavoriteRank;
    std::vector<FavoriteSortItem> items = {
        {R::File, L"b.c", L"C:\\z\\b.c", 0},   {R::Separator, L"-", L"", 1},
        {R::Category, L"Zed", L"", 2},          {R::File, L"a.cpp", L"C:\\y\\a.cpp", 3},
        {R::Folder, L"dir", L"C:\\dir\\", 4}, {R::Category, L"alpha", L"", 5},
        {R::File, L"c.h", L"C:\\x\\c.h", 6},
    };
    const struct {
        FavoriteSortKey key;
        bool ascending;
        std::vector<std::wstring> order;
    } cases[] = {
        {FavoriteSortKey::Name, true, {L"alpha", L"Zed", L"dir", L"a.cpp", L"b.c", L"c.h", L"-"}},
        {FavoriteSortKey::Name, false, {L"Zed", L"alpha", L"dir", L"c.h", L"b.c", L"a.cpp", L"-"}},
        {FavoriteSortKey::Type, true, {L"Zed", L"alpha", L"dir", L"b.c", L"a.cpp", L"c.h", L"-"}},
        {FavoriteSortKey::Type, false, {L"Zed", L"alpha", L"dir", L"c.h", L"a.cpp", L"b.c", L"-"}},
        {FavoriteSortKey::Path, true, {L"Zed", L"alpha", L"dir", L"c.h", L"a.cpp", L"b.c", L"-"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SortedNames(items, c.key, c.ascending), c.order)
            << static_cast<int>(c.key) << (c.ascending ? " up" : " down");
    }
}

TEST(FavoritesModel, ExtensionsAndLabels) {
    const struct {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* label;
    } cases[] = {
        {L"C:\\a\\b.tar.gz", L"gz", L"b.tar.gz"},
        {L"C:\\a\\Makefile", L"Makefile", L"Makefile"},
        {L"C:\\src\\", L"", L"src"},
        {L"::{20D04FE0}", L"::{20D04FE0}", L"::{20D04FE0}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionOfPath(c.path), c.extension) << c.path;
        EXPECT_EQ(LabelOfPath(c.path), c.label) << c.path;
    }
}

TEST(FavoritesModel, AnEntryIsNeverMovedIntoItsOwnSubtree) {
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<favorites><category name='a'><category name='b'><file>x</file></category>"
                               "</category><category name='c'/></favorites>"));
    XmlElement* a = FavoritesRoot(document, false)->FirstChild();
    XmlElement* b = a->FirstChild();
    XmlElement* c = a->NextSibling();
    auto parentOf = [](XmlElement* e) { return e->Parent(); };
    EXPECT_TRUE(IsSameOrBelow(b, a, parentOf));
    EXPECT_TRUE(IsSameOrBelow(b->FirstChild(), a, parentOf));
    EXPECT_TRUE(IsSameOrBelow(a, a, parentOf));
    EXPECT_FALSE(IsSameOrBelow(c, a, parentOf));
    EXPECT_FALSE(IsSameOrBelow(a, b, parentOf));
}

}  // namespace
}  // namespace kelpo
