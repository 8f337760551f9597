// The line-based edit commands on plain text: blank and duplicate lines, reversing, sorting,
// tab conversion and comments.
#include <gtest/gtest.h>

#include "lang/line_transforms.h"

namespace kelpo {
namespace {

std::string RemoveBlanks(std::string_view text, bool keepOne, bool blanksCountAsEmpty) {
    return ApplyTextEdits(text, RemoveBlankLines(text, keepOne, blanksCountAsEmpty));
}

std::string RemoveDuplicates(std::string_view text) { return ApplyTextEdits(text, RemoveDuplicateLines(text)); }

std::string Sort(std::string_view text, unsigned options, std::string_view lineEnd = "\n") {
    return SortLines(text, SortOptionsFromBits(options), lineEnd, CompareCodeUnits);
}

std::string Toggle(std::string_view text, std::string_view marker = "//", int tabWidth = 4) {
    return ApplyTextEdits(text, ToggleLineComment(text, marker, tabWidth).edits);
}

TEST(LineSplitting, EveryKindOfLineEnd) {
    const std::vector<TextLine> lines = SplitLines("a\r\nb\rc\n\r\nd");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].end, "\r\n");
    EXPECT_EQ(lines[1].end, "\r");
    EXPECT_EQ(lines[2].end, "\n");
    EXPECT_EQ(lines[3].content, "");
    EXPECT_EQ(lines[3].start, 7u);
    EXPECT_EQ(lines[4].content, "d");
    EXPECT_EQ(lines[4].end, "");
    EXPECT_EQ(SplitLines("a\n").size(), 1u);  // no empty line after the last line end
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(LineEndText(LineEndMode::CrLf), "\r\n");
    EXPECT_EQ(LineEndText(LineEndMode::Cr), "\r");
}

TEST(LineSplitting, CommandLinesFromTheSelection) {
    // Empty selection: the whole document.
    EXPECT_EQ(CommandLines({5, 5, 1, 4, 1, 4, 10}, false), (LineInterval{0, 9}));
    // Lines 2 to 4, the selection ending at the start of line 4: line 4 is left out.
    SelectionLines toLineStart{20, 40, 2, 20, 4, 40, 10};
    EXPECT_EQ(CommandLines(toLineStart, false), (LineInterval{2, 3}));
    // Inside one line.
    EXPECT_EQ(CommandLines({22, 25, 2, 20, 2, 20, 10}, false), (LineInterval{2, 2}));
    // Blank-line removal starts below a line that the selection enters in its middle.
    SelectionLines midLine{22, 45, 2, 20, 4, 40, 10};
    EXPECT_EQ(CommandLines(midLine, true), (LineInterval{3, 4}));
    EXPECT_EQ(CommandLines(midLine, false), (LineInterval{2, 4}));
    EXPECT_EQ(CommandLines({22, 30, 2, 20, 3, 30, 10}, true), std::nullopt);
}

TEST(RemoveBlankLines, RunsOfEmptyAndBlankLines) {
    const std::string text = "a\n\n\n\nb\n";
    EXPECT_EQ(RemoveBlanks(text, true, false), "a\n\nb\n");   // command 50
    EXPECT_EQ(RemoveBlanks(text, false, false), "a\nb\n");    // command 52
    // A line holding a tab counts as empty only when blanks count (49 and 51 against 50 and 52).
    const std::string tabbed = "a\r\n\t\r\n\r\nb";
    EXPECT_EQ(RemoveBlanks(tabbed, true, true), "a\r\n\r\nb");
    EXPECT_EQ(RemoveBlanks(tabbed, false, true), "a\r\nb");
    EXPECT_EQ(RemoveBlanks(tabbed, true, false), tabbed);
    EXPECT_EQ(RemoveBlanks(tabbed, false, false), "a\r\n\t\r\nb");
    // Runs at both ends of the range; a single empty line stays with keepOne.
    EXPECT_EQ(RemoveBlanks("\n\nx\n\ny\n \n", true, true), "\nx\n\ny\n \n");
    EXPECT_EQ(RemoveBlanks("\n\nx\n\ny\n \n", false, true), "x\ny\n");
    EXPECT_EQ(RemoveBlanks("a\n  ", false, true), "a\n");
    EXPECT_TRUE(RemoveBlankLines("a\nb", false, true).empty());
}

TEST(RemoveDuplicateLines, LaterCopiesGoWithTheBreakBeforeThem) {
    EXPECT_EQ(RemoveDuplicates("b\na\nb\na\nc"), "b\na\nc");
    EXPECT_EQ(RemoveDuplicates("b\r\na\r\nb\r\n"), "b\r\na\r\n");  // the final line end stays
    EXPECT_EQ(RemoveDuplicates("x\n\n\nx\n\n"), "x\n\n\n\n");      // empty lines are not compared
    EXPECT_EQ(RemoveDuplicates("Ab\nab\nab \nab"), "Ab\nab\nab ");  // case and blanks count
    EXPECT_EQ(RemoveDuplicates("a\na\na\na"), "a");
    EXPECT_TRUE(RemoveDuplicateLines("only").empty());
}

TEST(LinesAfterDeletions, JoinedLinesFollowTheLineTheyJoin) {
    struct Case {
        const char* text;
        std::vector<TextEdit> edits;
        std::vector<std::size_t> lines;  // one more than the text has: the line after it
    };
    const Case cases[] = {
        {"a\nb\nc\n", {}, {0, 1, 2, 3}},
        // Duplicates go with the break before them: each joins the line above, in a chain too.
        {"b\na\nb\na\nc\n", RemoveDuplicateLines("b\na\nb\na\nc\n"), {0, 1, 1, 1, 2, 3}},
        {"x\nx\nx\ny", RemoveDuplicateLines("x\nx\nx\ny"), {0, 0, 0, 1, 2}},
        // Blank lines deleted from their start: they and the line after them become one.
        {"a\n\n\nb\n", RemoveBlankLines("a\n\n\nb\n", false, false), {0, 1, 1, 1, 2}},
        {"a\n\n\nb\n", RemoveBlankLines("a\n\n\nb\n", true, false), {0, 1, 1, 2, 3}},
        {"a\r\n\r\n", RemoveBlankLines("a\r\n\r\n", false, false), {0, 1, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinesAfterDeletions(c.text, c.edits), c.lines) << c.text;
    }
}

TEST(ReverseLines, KeepsTheWayTheTextEnds) {
    EXPECT_EQ(ReverseLines("a\nb\nc\n", "\r\n"), "c\nb\na\n");
    EXPECT_EQ(ReverseLines("a\r\nb\r\nc", "\r\n"), "c\r\nb\r\na");
    // Each line keeps its own line end; the unterminated one borrows the view's.
    EXPECT_EQ(ReverseLines("a\rb\nc", "\r\n"), "c\r\nb\na");
    EXPECT_EQ(ReverseLines("one", "\n"), "one");
    EXPECT_EQ(ReverseLines("", "\n"), "");
    EXPECT_EQ(ReverseLines("\n\nx", "\n"), "x\n\n");
}

TEST(SortLines, DirectionUniqueAndLineEnds) {
    EXPECT_EQ(Sort("c\nb\na\n", kSortAscending), "a\nb\nc\n");
    EXPECT_EQ(Sort("c\nb\na", kSortAscending), "a\nb\nc");
    EXPECT_EQ(Sort("a\nc\nb\n", 0), "c\nb\na\n");  // without option 1: descending
    // Joined with the view's line end whatever the lines had.
    EXPECT_EQ(Sort("b\r\nc\ra\n", kSortAscending, "\r\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(Sort("b\na\nb\nc\na\n", kSortAscending | kSortUnique), "a\nb\nc\n");
    EXPECT_EQ(Sort("b\na\nb\nc\na", kSortUnique), "c\nb\na");
    EXPECT_EQ(Sort("b\n\na\n", kSortAscending), "\na\nb\n");
    EXPECT_EQ(Sort("", kSortAscending), "");
}

TEST(SortLines, KeysComparerAndLeadingBlanks) {
    // \u00e9 sorts after z by code unit; the bytes, even broken ones, come back as they were.
    EXPECT_EQ(Sort("\xC3\xA9t\xC3\xA9\nzoo\nabc\xFF\n", kSortAscending), "abc\xFF\nzoo\n\xC3\xA9t\xC3\xA9\n");
    EXPECT_EQ(Sort("  b\n\tc\na\n", kSortAscending | kSortIgnoreLeadingBlanks), "a\n  b\n\tc\n");
    EXPECT_EQ(Sort("  b\n\tc\na\n", kSortAscending), "\tc\n  b\na\n");

    // A comparer that ignores case: equal lines keep their order and unique keeps the first.
    const LineComparer ignoreCase = [](std::u16string_view a, std::u16string_view b) {
        const auto fold = [](std::u16string_view s) {
            std::u16string folded(s);
            for (char16_t& c : folded) {
                if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
            }
            return folded;
        };
        return CompareCodeUnits(fold(a), fold(b));
    };
    const SortOptions options = SortOptionsFromBits(kSortAscending | kSortIgnoreCase);
    EXPECT_TRUE(options.ignoreCase);
    EXPECT_FALSE(options.digitsAsNumbers);
    EXPECT_EQ(SortLines("b\nB\na\nA\n", options, "\n", ignoreCase), "a\nA\nb\nB\n");
    SortOptions unique = options;
    unique.unique = true;
    EXPECT_EQ(SortLines("b\nB\na\nA\n", unique, "\n", ignoreCase), "a\nb\n");
    unique.ascending = false;
    EXPECT_EQ(SortLines("b\nB\na\nA\n", unique, "\n", ignoreCase), "b\na\n");

    const SortOptions all = SortOptionsFromBits(31);
    EXPECT_TRUE(all.ascending && all.unique && all.ignoreCase && all.digitsAsNumbers && all.ignoreLeadingBlanks);
}

TEST(ConvertTabs, TabsToSpacesByColumn) {
    EXPECT_EQ(TabsToSpaces("abc\td", 4, 0).text, "abc d");
    EXPECT_EQ(TabsToSpaces("\tx\n\t\ty", 4, 0).text, "    x\n        y");
    // "\xC3\xA9" is one column, so the tab after it and "ab" needs one blank.
    EXPECT_EQ(TabsToSpaces("\xC3\xA9" "ab\tz", 4, 0).text, "\xC3\xA9" "ab z");
    EXPECT_EQ(TabsToSpaces("ab\r\n\tz", 4, 0).text, "ab\r\n    z");
    EXPECT_EQ(TabsToSpaces("a\tb", 0, 0).text, "a b");  // a width below one counts as one

    const TabConversion noTab = TabsToSpaces("no tabs", 4, 3);
    EXPECT_FALSE(noTab.changed);
    EXPECT_EQ(noTab.caret, 3u);

    // The caret follows the text: before "x" in "\t\tx" lands before "x" in the blanks.
    const TabConversion moved = TabsToSpaces("\t\tx", 4, 2);
    EXPECT_TRUE(moved.changed);
    EXPECT_EQ(moved.caret, 8u);
    EXPECT_EQ(TabsToSpaces("\t\tx", 4, 3).caret, 9u);
    EXPECT_EQ(TabsToSpaces("a\tx", 4, 1).caret, 1u);
}

TEST(ConvertTabs, SpacesToTabsWholeLinesAndLeadingOnly) {
    EXPECT_EQ(SpacesToTabs("        x", 4, false, 0).text, "\t\tx");
    EXPECT_EQ(SpacesToTabs("      x", 4, false, 0).text, "\t  x");     // two blanks stop short
    EXPECT_EQ(SpacesToTabs("ab  cd", 4, false, 0).text, "ab\tcd");
    EXPECT_EQ(SpacesToTabs("abc d", 4, false, 0).text, "abc d");      // lone blank before text
    EXPECT_EQ(SpacesToTabs("abc \tz", 4, false, 0).text, "abc\t\tz");  // lone blank before a tab
    EXPECT_EQ(SpacesToTabs("abc     d", 4, false, 0).text, "abc\t\td");
    EXPECT_EQ(SpacesToTabs("\t  \tx", 4, false, 0).text, "\t  \tx");    // short of the stop before a tab
    EXPECT_EQ(SpacesToTabs("\xC3\xA9" "b  z", 4, false, 0).text, "\xC3\xA9" "b\tz");
    EXPECT_EQ(SpacesToTabs("    a   b\r\n    c", 4, true, 0).text, "\ta   b\r\n\tc");
    EXPECT_EQ(SpacesToTabs("    a   b\r\n    c", 4, false, 0).text, "\ta\tb\r\n\tc");
    const TabConversion same = SpacesToTabs("a b", 4, false, 1);
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(same.caret, 1u);

    const TabConversion moved = SpacesToTabs("        x", 4, false, 8);
    EXPECT_EQ(moved.caret, 2u);
    EXPECT_EQ(SpacesToTabs("        x", 4, false, 6).caret, 1u);  // inside a converted run
    EXPECT_EQ(SpacesToTabs("        x", 4, false, 99).caret, 3u);
}

TEST(ToggleLineComment, AtTheSmallestIndentationAndBack) {
    const std::string text = "    a();\n        b();\n    c();\n";
    const LineCommentEdits added = ToggleLineComment(text, "//", 4);
    EXPECT_EQ(added.change, CommentChange::Added);
    const std::string commented = ApplyTextEdits(text, added.edits);
    EXPECT_EQ(commented, "    //a();\n    //    b();\n    //c();\n");
    const LineCommentEdits removed = ToggleLineComment(commented, "//", 4);
    EXPECT_EQ(removed.change, CommentChange::Removed);
    EXPECT_EQ(ApplyTextEdits(commented, removed.edits), text);

    // The first line decides: it is commented, so only markers are removed.
    EXPECT_EQ(Toggle("//a\nb\n  //c"), "a\nb\n  c");
    EXPECT_EQ(Toggle("a\n//b"), "//a\n//b");
    // Blank lines are neither measured nor marked; a tab counts to the next tab stop.
    EXPECT_EQ(Toggle("\tx\n  \n      y\r\n"), "\t//x\n  \n    //  y\r\n");
    // A column inside a tab puts the marker before that tab.
    EXPECT_EQ(Toggle("  x\n\ty"), "  //x\n//\ty");
    EXPECT_EQ(ToggleLineComment("\n \t\n", "//", 4).change, CommentChange::None);
    EXPECT_EQ(ToggleLineComment("x", "", 4).change, CommentChange::None);
    EXPECT_EQ(Toggle("# x\ny", "# "), "x\ny");
}

TEST(BlockComment, MarkersAroundTheSelection) {
    // "ab[cd]ef" with the caret at the end.
    const std::optional<BlockCommentEdits> forward = BlockComment(2, 4, "/*", "*/");
    ASSERT_TRUE(forward);
    EXPECT_EQ(ApplyTextEdits("abcdef", forward->edits), "ab/*cd*/ef");
    EXPECT_EQ(forward->anchor, 4u);
    EXPECT_EQ(forward->caret, 6u);
    // The caret at the start stays at the start.
    const std::optional<BlockCommentEdits> backward = BlockComment(4, 2, "/*", "*/");
    ASSERT_TRUE(backward);
    EXPECT_EQ(backward->anchor, 6u);
    EXPECT_EQ(backward->caret, 4u);
    // Empty selection: the caret goes right after the start marker.
    const std::optional<BlockCommentEdits> empty = BlockComment(3, 3, "{-", "-}");
    ASSERT_TRUE(empty);
    EXPECT_EQ(ApplyTextEdits("abcdef", empty->edits), "abc{--}def");
    EXPECT_EQ(empty->caret, 5u);
    EXPECT_EQ(empty->anchor, 5u);
    EXPECT_FALSE(BlockComment(0, 1, "/*", ""));
    EXPECT_FALSE(BlockComment(0, 1, "", "*/"));
}

}  // namespace
}  // namespace kelpo
