// Plain-line sections of INI text: reading, replacing in place, and what cannot be stored.
#include <gtest/gtest.h>

#include "base/ini_section_text.h"

namespace kelpo {
namespace {

TEST(IniSectionText, ReadsThePlainLinesOfOneSection) {
    const std::wstring text =
        L"[Files]\r\nC:\\a.txt\r\n\r\n  C:\\b c.txt  \r\nkey=value\r\n;not a comment here\r\n"
        L"[Find]\nneedle\n[files]\r\nC:\\later.txt\r\n";
    const std::vector<std::wstring> files = ReadSectionLines(text, L"FILES");
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], L"C:\\a.txt");
    EXPECT_EQ(files[1], L"  C:\\b c.txt  ");
    EXPECT_EQ(files[2], L"key=value");
    EXPECT_EQ(files[3], L";not a comment here");
    EXPECT_EQ(ReadSectionLines(text, L"Find"), std::vector<std::wstring>{L"needle"});
    EXPECT_TRUE(ReadSectionLines(text, L"Replace").empty());
    EXPECT_TRUE(ReadSectionLines(L"", L"Files").empty());
    EXPECT_EQ(ReadSectionLines(L"[ Files ]\rC:\\x\r", L"Files"), std::vector<std::wstring>{L"C:\\x"});
}

TEST(IniSectionText, ReplacingKeepsOtherSectionsAndDropsEveryDuplicate) {
    const std::wstring text = L"[Files]\nold1\nold2\n[Find]\nneedle\n\n[FILES]\nold3\n[Other]\nk=v\n";
    const std::wstring result = ReplaceSection(text, L"Files", {L"new1", L"new 2"});
    EXPECT_EQ(result, L"[Files]\r\nnew1\r\nnew 2\r\n[Find]\r\nneedle\r\n\r\n[Other]\r\nk=v\r\n");
    EXPECT_EQ(ReadSectionLines(result, L"Files"), (std::vector<std::wstring>{L"new1", L"new 2"}));
}

TEST(IniSectionText, ANewSectionGoesAtTheEndAndAnEmptyOneHasNoLines) {
    EXPECT_EQ(ReplaceSection(L"", L"Find", {L"a"}), L"[Find]\r\na\r\n");
    EXPECT_EQ(ReplaceSection(L"[Files]\r\nx", L"Find", {L"a"}), L"[Files]\r\nx\r\n[Find]\r\na\r\n");
    const std::wstring cleared = ReplaceSection(L"[Find]\r\na\r\nb\r\n[Files]\r\nx\r\n", L"Find", {});
    EXPECT_EQ(cleared, L"[Find]\r\n[Files]\r\nx\r\n");
    EXPECT_TRUE(ReadSectionLines(cleared, L"Find").empty());
}

TEST(IniSectionText, KeysAreSetInTheirSectionAndRemovedFromIt) {
    const std::wstring value = L"new";
    struct Case {
        const wchar_t* text;
        const wchar_t* key;
        const std::wstring* value;
        const wchar_t* expected;
    } cases[] = {
        {L"", L"Zoom", &value, L"[Kelpo]\r\nZoom=new\r\n"},
        {L"[Kelpo]\r\nzoom = 1\r\nOther=2\r\n", L"Zoom", &value, L"[Kelpo]\r\nZoom=new\r\nOther=2\r\n"},
        {L"[Kelpo]\nA=1\n\n[Find]\nZoom=9\n", L"Zoom", &value, L"[Kelpo]\r\nA=1\r\nZoom=new\r\n\r\n[Find]\r\nZoom=9\r\n"},
        {L"[Kelpo]\r\nZoom=1\r\nZoom=2\r\n", L"Zoom", &value, L"[Kelpo]\r\nZoom=new\r\n"},
        {L"[Find]\r\nx\r\n", L"Zoom", &value, L"[Find]\r\nx\r\n[Kelpo]\r\nZoom=new\r\n"},
        {L"[Kelpo]\r\nZoom=1\r\nA=2\r\n[kelpo]\r\nZoom=3\r\n", L"Zoom", nullptr,
         L"[Kelpo]\r\nA=2\r\n[kelpo]\r\nZoom=3\r\n"},
        {L"[Kelpo]\r\nA=2\r\n", L"Zoom", nullptr, L"[Kelpo]\r\nA=2\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetKeyValue(c.text, L"Kelpo", c.key, c.value), c.expected) << c.text;
    }
    EXPECT_EQ(RemoveSection(L"[A]\r\nx=1\r\n[B]\r\ny\r\n[a]\r\nz\r\n", L"a"), L"[B]\r\ny\r\n");
}

TEST(IniSectionText, LinesThatWouldNotComeBackAreLeftOut) {
    EXPECT_TRUE(IsStorableLine(L"a=b"));
    EXPECT_TRUE(IsStorableLine(L" x] "));
    EXPECT_TRUE(IsStorableLine(L"日本"));
    EXPECT_FALSE(IsStorableLine(L""));
    EXPECT_FALSE(IsStorableLine(L" \t"));
    EXPECT_FALSE(IsStorableLine(L"[Files]"));
    EXPECT_FALSE(IsStorableLine(L"  [x"));
    EXPECT_FALSE(IsStorableLine(L"one\ntwo"));
    EXPECT_FALSE(IsStorableLine(L"one\rtwo"));
    EXPECT_FALSE(IsStorableLine(std::wstring(L"a\0b", 3)));

    // An entry that looks like a header must not cut the section short.
    const std::wstring text = ReplaceSection(L"", L"Find", {L"first", L"[Replace]", L"line\r\nbreak", L"last"});
    EXPECT_EQ(ReadSectionLines(text, L"Find"), (std::vector<std::wstring>{L"first", L"last"}));
    EXPECT_TRUE(ReadSectionLines(text, L"Replace").empty());
}

}  // namespace
}  // namespace kelpo
