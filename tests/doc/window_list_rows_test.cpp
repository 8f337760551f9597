// Sorting of the window-list rows: numbers as numbers, texts without case, times, direction.
#include "doc/window_list_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kelpo {
namespace {

WindowListRow Row(int position, std::wstring name, std::int64_t length, std::int64_t lines, std::uint64_t time) {
    WindowListRow row;
    row.position = position;
    row.name = name;
    row.path = L"C:\\src\\" + name;
    const std::size_t dot = name.find_last_of(L'.');
    row.extension = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
    row.length = length;
    row.lineCount = lines;
    row.fileTime = time;
    return row;
}

std::vector<int> SortedPositions(std::vector<WindowListRow> rows, const WindowListSort& sort) {
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const WindowListRow& a, const WindowListRow& b) { return sort.Compare(a, b) < 0; });
    std::vector<int> positions;
    for (const WindowListRow& row : rows) {
        positions.push_back(row.position);
    }
    return positions;
}

TEST(WindowListRows, NumbersCompareAsNumbersNotAsText) {
    // As text "9" > "10" > "100"; as numbers the other way round.
    const WindowListRow nine = Row(9, L"a.c", 9, 9, 0);
    const WindowListRow ten = Row(10, L"b.c", 10, 10, 0);
    const WindowListRow hundred = Row(100, L"c.c", 100, 100, 0);
    for (WindowListColumn column : {WindowListColumn::Position, WindowListColumn::Length, WindowListColumn::Lines}) {
        EXPECT_LT(CompareWindowListRows(nine, ten, column), 0);
        EXPECT_LT(CompareWindowListRows(ten, hundred, column), 0);
        EXPECT_GT(CompareWindowListRows(hundred, nine, column), 0);
        EXPECT_EQ(CompareWindowListRows(ten, ten, column), 0);
    }
    // Lengths beyond 32 bits stay in order.
    EXPECT_LT(CompareWindowListRows(Row(1, L"x", 0x7FFFFFFF, 0, 0), Row(2, L"y", 0x100000000LL, 0, 0),
                                    WindowListColumn::Length), 0);
}

TEST(WindowListRows, TextsCompareWithoutRegardToCase) {
    EXPECT_EQ(CompareTextIgnoringCase(L"Main.CPP", L"main.cpp"), 0);
    EXPECT_LT(CompareTextIgnoringCase(L"alpha", L"BETA"), 0);
    EXPECT_GT(CompareTextIgnoringCase(L"Zeta", L"alpha"), 0);
    EXPECT_LT(CompareTextIgnoringCase(L"abc", L"ABCD"), 0);  // a prefix sorts first
    EXPECT_EQ(CompareTextIgnoringCase(L"\u00C9T\u00C9", L"\u00E9t\u00E9"), 0);
    EXPECT_NE(CompareTextIgnoringCase(L"\u00D7", L"\u00F7"), 0);  // signs are not letters

    const WindowListRow upper = Row(1, L"README.TXT", 0, 0, 0);
    const WindowListRow lower = Row(2, L"readme.txt", 0, 0, 0);
    EXPECT_EQ(CompareWindowListRows(upper, lower, WindowListColumn::Name), 0);
    EXPECT_EQ(CompareWindowListRows(upper, lower, WindowListColumn::Path), 0);
    EXPECT_EQ(CompareWindowListRows(upper, lower, WindowListColumn::Extension), 0);
    EXPECT_LT(CompareWindowListRows(Row(1, L"b.C", 0, 0, 0), Row(2, L"a.h", 0, 0, 0), WindowListColumn::Extension),
              0);
}

TEST(WindowListRows, FileTimesCompareOverAllSixtyFourBits) {
    const WindowListRow unknown = Row(1, L"new", 0, 0, 0);
    const WindowListRow older = Row(2, L"a", 0, 0, 0x01D0000000000000ULL);
    const WindowListRow newer = Row(3, L"b", 0, 0, 0x01D0000000000001ULL);
    const WindowListRow highWordLater = Row(4, L"c", 0, 0, 0x01D1000000000000ULL);
    EXPECT_LT(CompareWindowListRows(unknown, older, WindowListColumn::FileTime), 0);
    EXPECT_LT(CompareWindowListRows(older, newer, WindowListColumn::FileTime), 0);
    EXPECT_LT(CompareWindowListRows(newer, highWordLater, WindowListColumn::FileTime), 0);
}

TEST(WindowListRows, ClicksSortAscendingThenReverseOnTheSameColumn) {
    const std::vector<WindowListRow> rows = {Row(1, L"b.h", 30, 3, 0), Row(2, L"C.cpp", 10, 1, 0),
                                             Row(3, L"a.cpp", 20, 2, 0)};
    WindowListSort sort;
    EXPECT_FALSE(sort.IsSorted());
    sort.Click(WindowListColumn::Name);
    EXPECT_TRUE(sort.IsSorted());
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{3, 1, 2}));
    sort.Click(WindowListColumn::Name);
    EXPECT_FALSE(sort.Ascending());
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{2, 1, 3}));
    sort.Click(WindowListColumn::Name);
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{3, 1, 2}));

    // Another column starts ascending whatever the direction was.
    sort.Click(WindowListColumn::Name);
    sort.Click(WindowListColumn::Length);
    EXPECT_TRUE(sort.Ascending());
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{2, 3, 1}));
    sort.Click(WindowListColumn::Position);
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{1, 2, 3}));
    sort.Click(WindowListColumn::Position);
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{3, 2, 1}));
}

TEST(WindowListRows, EqualKeysKeepTheTabOrderInBothDirections) {
    const std::vector<WindowListRow> rows = {Row(1, L"x.cpp", 5, 1, 0), Row(2, L"y.h", 7, 1, 0),
                                             Row(3, L"z.cpp", 5, 1, 0)};
    WindowListSort sort;
    sort.Click(WindowListColumn::Extension);
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{1, 3, 2}));
    sort.Click(WindowListColumn::Extension);
    EXPECT_EQ(SortedPositions(rows, sort), (std::vector<int>{2, 1, 3}));
}

TEST(WindowListRows, AnySystemComparisonMagnitudeIsNormalised) {
    const auto loud = [](std::wstring_view a, std::wstring_view b) { return CompareTextIgnoringCase(a, b) * 1000; };
    const WindowListRow a = Row(1, L"a", 0, 0, 0);
    const WindowListRow b = Row(2, L"b", 0, 0, 0);
    WindowListSort sort;
    sort.Click(WindowListColumn::Name);
    sort.Click(WindowListColumn::Name);
    EXPECT_EQ(sort.Compare(a, b, loud), 1);
    EXPECT_EQ(sort.Compare(b, a, loud), -1);
}

}  // namespace
}  // namespace kelpo
