// The explorer's window-free rules: new file names, filter lines, the open rule, the sort column
// text and the history rings.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "panes/explorer_history.h"
#include "panes/explorer_rules.h"

namespace kelpo {
namespace {

TEST(ExplorerRules, NewFileNames) {
    struct Case {
        std::set<std::wstring> taken;
        const wchar_t* base;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{}, L"New File", L"New File"},
        {{L"New File"}, L"New File", L"New File (2)"},
        {{L"New File", L"New File (2)"}, L"New File", L"New File (3)"},
        {{L"New File.txt"}, L"New File.txt", L"New File (2).txt"},
        {{L".profile"}, L".profile", L".profile (2)"},
        {{L"a.b.c"}, L"a.b.c", L"a.b (2).c"},
    };
    for (const Case& c : cases) {
        const auto name = FreeNewFileName(c.base, [&](const std::wstring& n) { return c.taken.count(n) != 0; });
        ASSERT_TRUE(name.has_value()) << c.expected;
        EXPECT_EQ(*name, c.expected);
    }
    int asked = 0;
    EXPECT_FALSE(FreeNewFileName(L"New File", [&](const std::wstring&) { return ++asked > 0; }).has_value());
    EXPECT_EQ(asked, 999);
    EXPECT_EQ(NumberedFileName(L"New File", 999), L"New File (999)");
}

TEST(ExplorerRules, FilterLines) {
    struct Case {
        const wchar_t* line;
        const wchar_t* description;
        const wchar_t* patterns;
    };
    const Case cases[] = {
        {L"Sources (*.c;*.h)", L"Sources", L"*.c;*.h"},
        {L"C/C++ files \t( \t*.c;*.cpp;*.h)", L"C/C++ files", L"*.c;*.cpp;*.h"},
        {L"*.txt;*.md", L"*.txt;*.md", L"*.txt;*.md"},
        {L"Open (*.rc", L"Open", L"*.rc"},
        {L"(*.*)", L"", L"*.*"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        const FilterLine line = ParseFilterLine(c.line);
        EXPECT_EQ(line.description, c.description) << c.line;
        EXPECT_EQ(line.patterns, c.patterns) << c.line;
    }
}

TEST(ExplorerRules, FilterListFromTheOptionsField) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"Sources (*.c;*.h)\r\nAll (*.*)\r\n\r\n \t", {L"Sources (*.c;*.h)", L"All (*.*)"}},
        {L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {L"\r\n  \r\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterListLines(c.text), c.lines) << c.text;
    }
    EXPECT_EQ(TrimPatterns(L" \t*.exe;*.com "), L"*.exe;*.com ");
}

TEST(ExplorerRules, OpenRule) {
    struct Case {
        OpenMode mode;
        const wchar_t* patterns;
        bool matches;
        bool shell;
    };
    const Case cases[] = {
        {OpenMode::Exclude, L"*.exe", true, true},    {OpenMode::Exclude, L"*.exe", false, false},
        {OpenMode::Exclude, L"", false, false},       {OpenMode::Include, L"*.cpp", true, false},
        {OpenMode::Include, L"*.cpp", false, true},   {OpenMode::Include, L"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HandToShell(c.mode, c.patterns, c.matches), c.shell)
            << static_cast<int>(c.mode) << ' ' << c.patterns << ' ' << c.matches;
    }
}

TEST(ExplorerRules, SortColumnText) {
    SortColumnValue name;
    name.data1 = 0xB725F130;
    name.data2 = 0x47EF;
    name.data3 = 0x101A;
    name.data4 = {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC};
    name.pid = 10;
    name.direction = -1;
    const std::wstring text = FormatSortColumn(name);
    EXPECT_EQ(text, L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}|10|-1");
    EXPECT_EQ(ParseSortColumn(text), name);
    EXPECT_EQ(ParseSortColumn(L"{b725f130-47ef-101a-a5f1-02608c9eebac}|10|-1"), name);
    for (const wchar_t* bad : {L"", L"{B725F130}|1|1", L"B725F130-47EF-101A-A5F1-02608C9EEBAC|10|1",
                               L"{B725F130-47EF-101A-A5F1-02608C9EEBAX}|10|1", L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}",
                               L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}|x|1", L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}|1|"}) {
        EXPECT_FALSE(ParseSortColumn(bad).has_value()) << bad;
    }
}

TEST(ExplorerRules, ToolbarLayout) {
    const std::vector<int> available = {10, 11, 12, 13};
    struct Case {
        const wchar_t* text;
        std::vector<int> commands;
    };
    const Case cases[] = {
        {L"10 11 | 13", {10, 11, 0, 13}},
        {L"10 99 x 12", {10, 12}},
        {L"| |", {}},
        {L"", {}},
        {L"99", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseButtonLayout(c.text, available), c.commands) << c.text;
    }
    EXPECT_EQ(FormatButtonLayout({10, 0, 13}), L"10 | 13");
    std::wstring many;
    for (int i = 0; i < 70; ++i) many += L"10 ";
    EXPECT_EQ(ParseButtonLayout(many, available).size(), 64u);
}

std::vector<int> Entries(const HistoryRing<int>& ring) {
    std::vector<int> entries;
    for (std::size_t i = 0; i < ring.Size(); ++i) entries.push_back(ring.At(i));
    return entries;
}

TEST(ExplorerHistory, NineBrowsesKeepTheEightNewest) {
    HistoryRing<int> back;
    for (int folder = 0; folder < 9; ++folder) back.Push(folder);
    EXPECT_EQ(Entries(back), (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(back.Pop(), 8);
    back.Push(9);
    EXPECT_EQ(Entries(back), (std::vector<int>{9, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(ExplorerHistory, ChoosingADropDownEntryMovesTheSkippedOnes) {
    struct Case {
        std::size_t index;
        std::optional<int> chosen;
        std::vector<int> back;
        std::vector<int> forward;
    };
    // Back holds 3 (newest), 2, 1; the current folder is 4; forward holds 5.
    const Case cases[] = {
        {0, 3, {2, 1}, {4, 5}},
        {2, 1, {}, {2, 3, 4, 5}},
        {3, std::nullopt, {3, 2, 1}, {5}},
    };
    for (const Case& c : cases) {
        HistoryRing<int> back;
        HistoryRing<int> forward;
        for (int folder : {1, 2, 3}) back.Push(folder);
        forward.Push(5);
        EXPECT_EQ(StepThroughHistory(back, forward, c.index, 4), c.chosen) << c.index;
        EXPECT_EQ(Entries(back), c.back) << c.index;
        EXPECT_EQ(Entries(forward), c.forward) << c.index;
    }
}

}  // namespace
}  // namespace kelpo
