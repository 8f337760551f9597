// The colour text of command 64 and the item list of the date-and-time command.
#include <gtest/gtest.h>

#include "app/insert_text.h"

namespace kelpo {
namespace {

TEST(InsertText, ColourIsRedGreenBlueInHexadecimal) {
    EXPECT_EQ(FormatColourHex(0x000000FF), "#FF0000");   // red sits in the low byte
    EXPECT_EQ(FormatColourHex(0x00FF0000), "#0000FF");
    EXPECT_EQ(FormatColourHex(0x00123456), "#563412");
    EXPECT_EQ(FormatColourHex(0xFF000000), "#000000");   // the top byte is not a colour
    EXPECT_EQ(FormatColourHex(0x00FFFFFF), "#FFFFFF");
}

TEST(InsertText, ListItemsAreCleanedAndJoined) {
    const std::vector<std::string> items =
        CleanListItems({"2024-05-01", "", "01|05|2024", "2024-05-01", "10:00\r\n", "Mai"});
    EXPECT_EQ(items, (std::vector<std::string>{"2024-05-01", "01052024", "10:00", "Mai"}));
    EXPECT_EQ(JoinListItems(items), "2024-05-01|01052024|10:00|Mai");
    EXPECT_EQ(JoinListItems({}), "");
}

TEST(InsertText, ChosenItemIsFoundByItsText) {
    const std::vector<std::string> items = {"a", "b", "c"};
    EXPECT_EQ(IndexOfListItem(items, "c"), 2);
    EXPECT_EQ(IndexOfListItem(items, "a"), 0);
    EXPECT_FALSE(IndexOfListItem(items, "d").has_value());
    EXPECT_FALSE(IndexOfListItem(items, "").has_value());
}

}  // namespace
}  // namespace kelpo
