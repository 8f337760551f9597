// Numbering of the recent menus' items.
#include <gtest/gtest.h>

#include "doc/recent_menu_label.h"

namespace kelpo {
namespace {

TEST(RecentMenuLabel, FirstNineAreNumberedAndAmpersandsShow) {
    EXPECT_EQ(RecentMenuLabel(0, L"C:\\a.txt"), L"&1 C:\\a.txt");
    EXPECT_EQ(RecentMenuLabel(8, L"C:\\i.txt"), L"&9 C:\\i.txt");
    EXPECT_EQ(RecentMenuLabel(9, L"C:\\j.txt"), L"C:\\j.txt");
    EXPECT_EQ(RecentMenuLabel(29, L"C:\\z.txt"), L"C:\\z.txt");
    EXPECT_EQ(RecentMenuLabel(1, L"C:\\R&D\\x.cpp"), L"&2 C:\\R&&D\\x.cpp");
}

}  // namespace
}  // namespace kelpo
