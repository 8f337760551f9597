// The session file's elements and attributes: their order, what only files with a path carry,
// and what a malformed or foreign file yields.
#include <gtest/gtest.h>

#include "doc/session_file.h"

namespace kelpo {
namespace {

std::vector<SessionEntry> Parse(const char* text) {
    XmlDocument document;
    EXPECT_TRUE(document.Parse(text));
    return ReadSessionEntries(document);
}

TEST(SessionFile, WritesAttributesInTheirOrderAndViewStateOnlyForFiles) {
    SessionEntry project;
    project.path = "C:\\p\\build.tvk";
    project.activeProject = true;
    project.firstLine = 12;
    project.selectionStart = 30;
    project.selectionEnd = 34;
    project.xOffset = 8;
    project.bookmarks = {0, 5, 40};
    project.selected = true;
    SessionEntry untitled;
    untitled.firstLine = 3;  // ignored without a path
    SessionEntry plain;
    plain.path = "C:\\\xC3\xA9t\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC.txt";  // "C:\été\日本.txt"

    XmlDocument document;
    BuildSessionDocument(document, {project, untitled, plain});
    EXPECT_EQ(document.ToText(),
              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<kelpo>\r\n"
              "\t<file active=\"1\" line=\"12\" startpos=\"30\" endpos=\"34\" xoffset=\"8\" mark=\"0,5,40\" "
              "cursel=\"1\">C:\\p\\build.tvk</file>\r\n"
              "\t<file />\r\n"
              "\t<file line=\"0\" startpos=\"0\" endpos=\"0\" xoffset=\"0\">"
              "C:\\\xC3\xA9t\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC.txt</file>\r\n"
              "</kelpo>\r\n");

    XmlDocument reread;
    ASSERT_TRUE(reread.Parse(document.ToText().c_str()));
    const std::vector<SessionEntry> entries = ReadSessionEntries(reread);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, project.path);
    EXPECT_TRUE(entries[0].activeProject);
    EXPECT_EQ(entries[0].firstLine, 12);
    EXPECT_EQ(entries[0].selectionStart, 30);
    EXPECT_EQ(entries[0].selectionEnd, 34);
    EXPECT_EQ(entries[0].xOffset, 8);
    EXPECT_EQ(entries[0].bookmarks, (std::vector<int>{0, 5, 40}));
    EXPECT_TRUE(entries[0].selected);
    EXPECT_TRUE(entries[1].path.empty());
    EXPECT_EQ(entries[1].firstLine, 0);
    EXPECT_FALSE(entries[1].selected);
    EXPECT_EQ(entries[2].path, plain.path);
    EXPECT_TRUE(entries[2].bookmarks.empty());
}

TEST(SessionFile, AnEmptyTabListStillHasItsRoot) {
    XmlDocument document;
    BuildSessionDocument(document, {});
    EXPECT_EQ(document.ToText(), "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kelpo />\r\n");
}

TEST(SessionFile, OnlyAKelpoRootCounts) {
    EXPECT_TRUE(Parse("<other><file>C:\\a.txt</file></other>").empty());
    EXPECT_TRUE(Parse("<Kelpo><file>C:\\a.txt</file></Kelpo>").empty());
    EXPECT_TRUE(Parse("").empty());
    EXPECT_TRUE(Parse("<kelpo />").empty());
    // The root is the first top-level element, not any later one.
    EXPECT_TRUE(Parse("<x/><kelpo><file>C:\\a.txt</file></kelpo>").empty());
    // Other elements and nested "file" elements are not tabs.
    const auto entries = Parse("<kelpo><tab>C:\\no</tab><file>C:\\a.txt<file>C:\\b</file></file></kelpo>");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, "C:\\a.txt");
}

TEST(SessionFile, MissingOrOddAttributesReadAsZero) {
    const auto entries = Parse("<kelpo><file line=\"x\" endpos=\"-4\" cursel=\"\">C:\\a</file></kelpo>");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].firstLine, 0);
    EXPECT_EQ(entries[0].selectionStart, 0);
    EXPECT_EQ(entries[0].selectionEnd, -4);
    EXPECT_TRUE(entries[0].selected);
    EXPECT_FALSE(entries[0].activeProject);
}

TEST(SessionFile, BookmarkListsKeepLineZeroAndPassOverGarbage) {
    EXPECT_EQ(ParseBookmarks("0,3,17"), (std::vector<int>{0, 3, 17}));
    EXPECT_EQ(ParseBookmarks(""), std::vector<int>{});
    EXPECT_EQ(ParseBookmarks("abc,,5, 6,-2,7x,99999999999"), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(FormatBookmarks({0, 3, 17}), "0,3,17");
    EXPECT_EQ(FormatBookmarks({}), "");
}

}  // namespace
}  // namespace kelpo
