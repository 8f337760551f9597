// The text side of the typing aids: API list searches, call-tip texts and highlights, completion
// words across the component's gap, indentation states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/api_word_list.h"
#include "aids/call_tip_text.h"
#include "aids/completion_words.h"
#include "aids/indent_rules.h"
#include "aids/substring_scan.h"

namespace kelpo {
namespace {

std::vector<std::string> Strings(const std::vector<std::string_view>& views) { return {views.begin(), views.end()}; }

TEST(ApiWordList, FindsNamesByPrefixAndEntriesByNameIgnoringCase) {
    ApiWordList list;
    list.Assign("Foo (int)\r\nFooBar(char c)|bar\n\nfoo(double d)|two\nCreateFileW(LPCWSTR name, DWORD access)|k32\n"
                "Foo1(void)\nabc(x)");
    EXPECT_EQ(list.Size(), 6u);
    EXPECT_EQ(Strings(list.NamesStartingWith("Foo")), (std::vector<std::string>{"Foo", "Foo1", "FooBar"}));
    EXPECT_EQ(Strings(list.NamesStartingWith("")).size(), 6u);  // after a blank: every name
    EXPECT_TRUE(list.NamesStartingWith("cre").empty());         // the prefix matches case
    // "Foo" matches "Foo (int)" and "foo(...)" but not FooBar or Foo1; the match is case-blind.
    EXPECT_EQ(Strings(list.EntriesNamed("FOO")), (std::vector<std::string>{"Foo (int)", "foo(double d)|two"}));
    EXPECT_EQ(list.EntriesNamed("createfilew").size(), 1u);
    EXPECT_TRUE(list.EntriesNamed("Fo").empty());
}

TEST(CallTipText, FindsTheCallAroundTheCaret) {
    struct Case {
        const char* line;
        int caret;
        const char* word;  // nullptr: no call tip
    };
    const Case cases[] = {
        {"x = CreateFileW(", 16, "CreateFileW"},
        {"f (a, g(b), ", 12, "f"},           // g(b) is closed; blanks before "(" are skipped
        {"f(a, (b + ", 10, "f"},             // a bracketed expression is no call
        {"    g(1);", 9, nullptr},           // every "(" is closed
        {"(x", 2, nullptr},                  // no name before the "("
    };
    for (const Case& c : cases) {
        const auto site = FindCallTipSite(c.line, c.caret);
        if (c.word == nullptr) {
            EXPECT_FALSE(site) << c.line;
        } else {
            ASSERT_TRUE(site) << c.line;
            EXPECT_EQ(site->word, c.word) << c.line;
        }
    }
}

TEST(CallTipText, ComposesArrowsAndDescriptionLine) {
    const std::string entry = "CreateFileW(LPCWSTR name, DWORD access)|k32";
    EXPECT_EQ(ComposeCallTip(entry, 1), "CreateFileW(LPCWSTR name, DWORD access)\nk32");
    EXPECT_EQ(ComposeCallTip(entry, 2), "\1CreateFileW(LPCWSTR name, DWORD access)\n\2k32");
    EXPECT_EQ(ComposeCallTip("f(int)", 2), "\1f(int)\n\2");
    EXPECT_EQ(ComposeCallTip("f(int)|", 1), "f(int)|");  // a bar at the end stays
}

TEST(CallTipText, HighlightsTheParameterAfterTheCommasTyped) {
    const std::string tip = "\1CreateFileW(LPCWSTR name, DWORD access, int (*f)(int, int))\n\2k32";
    const auto highlighted = [&](const char* typed) {
        const auto [start, end] = ParameterHighlight(tip, CountArgumentCommas(typed));
        return tip.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    };
    EXPECT_EQ(highlighted("CreateFileW("), "LPCWSTR name");
    EXPECT_EQ(highlighted("CreateFileW(L\"a\", "), " DWORD access");
    EXPECT_EQ(highlighted("CreateFileW(g(1, 2), "), " DWORD access");  // commas of inner calls don't count
}

TEST(SubstringScan, AgreesWithThePlainSearchAtEveryBoundary) {
    // A text of two letters, so candidates abound and every block boundary is crossed.
    std::string text;
    for (unsigned i = 0; i < 70; ++i) text += ((i * 7 + i / 5) % 3 == 0) ? 'b' : 'a';
    for (const std::string needle : {"a", "b", "ab", "bb", "aab", "abaab", "aaaaaaaaaaaaaaaaa", "bab"}) {
        for (std::size_t from = 0; from < text.size(); from += 3) {
            for (std::size_t to = from; to <= text.size(); to += 5) {
                const std::string_view range(text.data() + from, to - from);
                const char* end = text.data() + to;
                const std::size_t forward = range.find(needle);
                const std::size_t backward = range.rfind(needle);
                EXPECT_EQ(FindSubstring(range.data(), end, needle),
                          forward == std::string_view::npos ? end : range.data() + forward) << needle << from << to;
                EXPECT_EQ(FindSubstringBackward(range.data(), end, needle),
                          backward == std::string_view::npos ? end : range.data() + backward) << needle << from << to;
            }
        }
    }
}

TEST(CompletionWords, FindsWordsOnBothSidesOfTheGap) {
    // "ab" being typed at the end of the front run; the back run holds the rest of the text.
    const std::string all = "abc x.abd ab_1 ab zab abc";
    for (std::size_t split = 0; split <= all.size(); ++split) {
        const SplitText text(std::string_view(all).substr(0, split), std::string_view(all).substr(split));
        const std::size_t root = 15;  // the lone "ab"
        EXPECT_EQ(AllCompletionWords(text, "ab", root), (std::vector<std::string>{"abc", "abd", "ab_1"})) << split;
        EXPECT_EQ(NearCompletionWords(text, "ab", root).size(), 2u) << split;
        EXPECT_EQ(text.FindBackward("ab", root), 10u) << split;
        EXPECT_EQ(text.Find("zab", 0), 18u) << split;
    }
}

TEST(CompletionWords, TypingSeesWhetherExactlyOneWordContinues) {
    const std::string all = "int counter; count";
    const SplitText text(all, "");
    EXPECT_EQ(NearCompletionWords(text, "count", 13), (std::vector<std::string>{"counter"}));
    EXPECT_TRUE(NearCompletionWords(text, "counter", 4).empty());  // the root itself is skipped
}

TEST(IndentRules, StatesFromStyledParts) {
    LanguageDef c;
    c.statementIndent = {5, "if else for while"};
    c.statementEnd = {10, ";"};
    c.blockStart = {10, "{"};
    c.blockEnd = {10, "}"};
    struct Case {
        const char* text;
        const char* styles;  // one digit per character: 5 keyword, a operator (10), 0 other
        LineIndentState state;
    };
    const Case cases[] = {
        {"if (x)", "550a0a", LineIndentState::KeywordStart},
        {"if (x) y;", "550a0a00a", LineIndentState::None},     // the statement ends on the line
        {"} else {", "a055550a", LineIndentState::BlockStart},  // the last brace decides
        {"  }", "00a", LineIndentState::BlockEnd},
        {"ifx = 1;", "00000000", LineIndentState::None},        // a word must be whole and styled
    };
    for (const Case& c2 : cases) {
        std::vector<unsigned char> styles;
        for (const char* s = c2.styles; *s != '\0'; ++s) {
            styles.push_back(static_cast<unsigned char>(*s == 'a' ? 10 : *s - '0'));
        }
        EXPECT_EQ(IndentStateOf(c2.text, styles, c), c2.state) << c2.text;
    }
}

TEST(IndentRules, MarkableWords) {
    EXPECT_TRUE(IsMarkableWord("count", ' ', '\0'));
    EXPECT_FALSE(IsMarkableWord("count ", ' ', '('));
    EXPECT_FALSE(IsMarkableWord("count", 'x', ' '));  // part of a longer word
    EXPECT_TRUE(IsMarkableWord("\xc3\xa9t\xc3\xa9", '.', ';'));
}

}  // namespace
}  // namespace kelpo
