// The recent-list rules: front moves that keep the old spelling, dropping the oldest, limits.
#include <gtest/gtest.h>

#include "base/recent_list.h"

namespace kelpo {
namespace {

std::vector<std::wstring> Numbered(int count) {
    std::vector<std::wstring> lines;
    for (int i = 1; i <= count; ++i) {
        lines.push_back(L"C:\\f" + std::to_wstring(i) + L".txt");
    }
    return lines;
}

TEST(RecentList, AddingMovesToTheFrontWithoutRegardToCaseAndKeepsTheOldSpelling) {
    RecentList list(20);
    list.AddRecent(L"C:\\Src\\Main.cpp");
    list.AddRecent(L"C:\\Src\\util.h");
    list.AddRecent(L"C:\\Src\\Notes.TXT");
    list.MarkSaved();

    list.AddRecent(L"c:\\src\\main.CPP");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], L"C:\\Src\\Main.cpp");
    EXPECT_EQ(list[1], L"C:\\Src\\Notes.TXT");
    EXPECT_EQ(list[2], L"C:\\Src\\util.h");
    EXPECT_TRUE(list.Changed());

    // Latin-1 letters fold too, so the accented folder is the same entry.
    list.AddRecent(L"C:\\Été\\a.txt");
    list.AddRecent(L"C:\\ÉTÉ\\A.TXT");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], L"C:\\Été\\a.txt");
}

TEST(RecentList, AFullListDropsItsOldestAndIgnoresEmptyTexts) {
    RecentList list(3);
    for (const std::wstring& path : Numbered(4)) {
        list.AddRecent(path);
    }
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], L"C:\\f4.txt");
    EXPECT_EQ(list[2], L"C:\\f2.txt");
    EXPECT_EQ(list.At(3), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    ASSERT_NE(list.At(2), nullptr);

    list.MarkSaved();
    list.AddRecent(L"");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.Changed());

    // Moving the last entry of a full list to the front drops nothing.
    list.AddRecent(L"c:\\F2.TXT");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], L"C:\\f2.txt");
    EXPECT_EQ(list[1], L"C:\\f4.txt");
}

TEST(RecentList, LoweringTheLimitDropsEntriesForGood) {
    RecentList list(20);
    list.AppendLoaded(Numbered(20));
    EXPECT_FALSE(list.Changed());
    ASSERT_EQ(list.Count(), 20);

    EXPECT_TRUE(list.SetRecentLimit(5));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list[4], L"C:\\f5.txt");
    EXPECT_TRUE(list.Changed());

    EXPECT_TRUE(list.SetRecentLimit(20));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Limit(), 20);

    EXPECT_FALSE(list.SetRecentLimit(31));
    EXPECT_FALSE(list.SetRecentLimit(-1));
    EXPECT_EQ(list.Limit(), 20);
    EXPECT_TRUE(list.SetRecentLimit(30));
    EXPECT_EQ(list.Limit(), 30);
}

TEST(RecentList, LimitZeroKeepsNothing) {
    RecentList list(0);
    list.AddRecent(L"C:\\a.txt");
    list.AppendLoaded(Numbered(3));
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.Changed());

    RecentList filled(10);
    filled.AppendLoaded(Numbered(3));
    filled.SetRecentLimit(0);
    EXPECT_TRUE(filled.Empty());
    filled.AddRecent(L"C:\\b.txt");
    EXPECT_TRUE(filled.Empty());
}

TEST(RecentList, LoadingAppendsInOrderUpToTheLimitWithoutBlanksOrDuplicates) {
    RecentList list(4);
    list.AppendLoaded({L"C:\\a.txt", L"", L"C:\\A.TXT", L"C:\\b.txt", L"C:\\c.txt", L"C:\\d.txt", L"C:\\e.txt"});
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[0], L"C:\\a.txt");
    EXPECT_EQ(list[1], L"C:\\b.txt");
    EXPECT_EQ(list[3], L"C:\\d.txt");
}

TEST(RecentList, ClearEmptiesAndMarksChanged) {
    RecentList list(5);
    list.AddRecent(L"x");
    list.MarkSaved();
    list.ClearRecent();
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.Limit(), 5);
}

TEST(RecentList, UsesTheComparisonItIsGiven) {
    RecentList exact(5, [](std::wstring_view a, std::wstring_view b) { return a == b; });
    exact.AddRecent(L"abc");
    exact.AddRecent(L"ABC");
    EXPECT_EQ(exact.Count(), 2);
    EXPECT_TRUE(SameTextIgnoringCase(L"ÀÖØÞ", L"àöøþ"));
    EXPECT_FALSE(SameTextIgnoringCase(L"×", L"÷"));
    EXPECT_FALSE(SameTextIgnoringCase(L"ab", L"abc"));
}

}  // namespace
}  // namespace kelpo
