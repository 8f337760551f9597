// Checks the generated built-in theme res/theme/builtin_theme.xml: its structure and what it
// sets when applied.
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lang/style_string.h"
#include "lang/theme_apply.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

std::string ReadBuiltinTheme() {
    std::ifstream file(KELPO_SOURCE_DIR "/res/theme/builtin_theme.xml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int IdOf(const XmlElement& element) {
    int id = -1;
    element.GetAttributeInt("id", &id);
    return id;
}

class BuiltinThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        text = ReadBuiltinTheme();
        ASSERT_FALSE(text.empty()) << "res/theme/builtin_theme.xml not found";
        document = ParseThemeText(text);
        ASSERT_NE(document, nullptr);
        root = document->FindPath("kelpo");
        ASSERT_NE(root, nullptr);
    }

    std::string text;
    std::unique_ptr<XmlDocument> document;
    const XmlElement* root = nullptr;
};

TEST_F(BuiltinThemeTest, GlobalGroupListsTheThirtyEntriesInOrder) {
    const XmlElement* global = root->FirstChild("styles");
    ASSERT_NE(global, nullptr);
    ASSERT_EQ(global->GetAttribute("id"), nullptr);
    const std::vector<std::pair<int, std::string>> expected = {
        {32, "Default Style"}, {37, "Indent guideline style"}, {34, "Brace highlight style"},
        {35, "Bad brace colour"}, {2098, "Current line background colour"}, {2068, "Selected text colour"},
        {2069, "Caret colour"}, {2365, "Edge colour"}, {33, "Line number margin"}, {2250, "Bookmark margin"},
        {2041, "Fold"}, {2292, "Fold active"}, {2290, "Fold margin"}, {2084, "White space symbol"},
        {29, "Smart HighLighting"}, {31, "Find Mark Style"}, {25, "Mark Style 1"}, {24, "Mark Style 2"},
        {23, "Mark Style 3"}, {22, "Mark Style 4"}, {21, "Mark Style 5"}, {28, "Incremental highlight all"},
        {27, "Tags match highlighting"}, {26, "Tags attribute"}, {0, "Active tab focused indicator"},
        {0, "Active tab unfocused indicator"}, {0, "Active tab text"}, {0, "Inactive tabs"}, {0, "Document map"},
        {2682, "URL hovered"}};
    std::size_t index = 0;
    for (const XmlElement* entry = global->FirstChild(); entry != nullptr; entry = entry->NextSibling(), ++index) {
        ASSERT_LT(index, expected.size());
        EXPECT_STREQ(entry->Name(), "style");
        EXPECT_EQ(IdOf(*entry), expected[index].first) << index;
        ASSERT_NE(entry->GetAttribute("name"), nullptr);
        EXPECT_EQ(entry->GetAttribute("name"), expected[index].second) << index;
    }
    EXPECT_EQ(index, expected.size());
    const XmlElement* first = global->FirstChild("style");
    EXPECT_STREQ(first->Text(), "fore:#000000,back:#FFF8E7,font:Courier New,size:10");
}

TEST_F(BuiltinThemeTest, LanguageGroupsCoverEveryStyledLanguage) {
    std::multiset<int> ids;
    std::vector<std::string> javascriptNames;
    int groups = 0;
    int entries = 0;
    for (const XmlElement* group = root->FirstChild("styles")->NextSibling("styles"); group != nullptr;
         group = group->NextSibling("styles")) {
        ++groups;
        const int id = IdOf(*group);
        ASSERT_GE(id, 0);
        ASSERT_LT(id, kThemeLanguageCount);
        ids.insert(id);
        ASSERT_NE(group->GetAttribute("name"), nullptr);
        if (id == 54) javascriptNames.emplace_back(group->GetAttribute("name"));
        int previousStyle = -1;
        int slotsTaken = 0;
        for (const XmlElement* entry = group->FirstChild("style"); entry != nullptr; entry = entry->NextSibling("style")) {
            ++entries;
            const int style = IdOf(*entry);
            EXPECT_GT(style, previousStyle) << group->GetAttribute("name");  // by style number, once each
            EXPECT_TRUE(style < 32 || style > 39) << group->GetAttribute("name");  // predefined styles
            EXPECT_LE(style, 255) << group->GetAttribute("name");
            EXPECT_NE(entry->GetAttribute("name"), nullptr);
            previousStyle = style;
            if (style > 0) ++slotsTaken;
        }
        EXPECT_LE(slotsTaken, kLanguageStyleSlots) << group->GetAttribute("name");
    }
    EXPECT_EQ(groups, 81);
    EXPECT_EQ(ids.count(0), 0u);
    EXPECT_EQ(ids.count(51), 0u);
    EXPECT_EQ(ids.count(54), 2u);
    for (int id = 1; id < kThemeLanguageCount; ++id) {
        if (id != 51) {
            EXPECT_GE(ids.count(id), 1u) << id;
        }
    }
    EXPECT_EQ(javascriptNames, (std::vector<std::string>{"javascript", "javascript.js"}));
    EXPECT_GT(entries, 1000);  // a cut-off file would lose whole groups
}

TEST_F(BuiltinThemeTest, EveryLanguageEntryHasColoursOnTheThemeBackground) {
    for (const XmlElement* group = root->FirstChild("styles")->NextSibling("styles"); group != nullptr;
         group = group->NextSibling("styles")) {
        const bool asp = std::string(group->GetAttribute("name")) == "asp";
        for (const XmlElement* entry = group->FirstChild("style"); entry != nullptr; entry = entry->NextSibling("style")) {
            StyleDef style;
            ASSERT_NE(entry->Text(), nullptr);
            ParseStyleString(entry->Text(), style);
            EXPECT_EQ(style.flags & (kStyleForeSet | kStyleBackSet), kStyleForeSet | kStyleBackSet) << entry->Text();
            EXPECT_EQ(style.back, asp ? 0xFDF9C4u : 0xE7F8FFu) << group->GetAttribute("name");
        }
    }
}

TEST_F(BuiltinThemeTest, ApplyingSetsTheThemeLook) {
    GlobalStyleSettings global;
    std::vector<LanguageStyleSlots> languages(kThemeLanguageCount);
    std::vector<LanguageStyleSlots*> pointers;
    for (LanguageStyleSlots& slots : languages) pointers.push_back(&slots);
    ThemeDefaultColors defaultColors;
    ASSERT_TRUE(ApplyThemeDocument(*document, true, 0x123456, ThemeStores{global, pointers, defaultColors}));

    EXPECT_STREQ(global.fontName.data(), "Courier New");
    EXPECT_EQ(global.defaultStyle.size, 10);
    EXPECT_EQ(global.defaultStyle.back, 0xE7F8FFu);
    EXPECT_EQ(defaultColors.fore, 0u);
    EXPECT_EQ(defaultColors.back, 0xE7F8FFu);
    EXPECT_EQ(global.braceLightStyle.flags, kStyleForeSet | kStyleBackSet | kStyleBold);
    EXPECT_EQ(global.lineNumberStyle.fore, 0x808080u);
    EXPECT_EQ(global.indentGuideStyle.fore, 0xC0C0C0u);
    EXPECT_EQ(global.edgeColor, 0xC0C0C0u);  // its entry gives only a foreground
    EXPECT_EQ(global.currentLineBack, 0xE0F1F7u);
    EXPECT_EQ(global.selectionBack, 0xC4D3D9u);
    EXPECT_EQ(global.bookmarkMarginBack, 0xE0F1F7u);
    EXPECT_EQ(global.foldMarkerFore, 0x808080u);
    EXPECT_EQ(global.foldMarkerBack, 0xF3F3F3u);
    EXPECT_EQ(global.foldMarginHighlightColor, 0xE0F1F7u);
    EXPECT_EQ(global.whiteSpaceColor, 0x6AB5FFu);
    EXPECT_EQ(global.linkHoverColor, 0xFF0000u);
    EXPECT_EQ(*IndicatorColor(global, 28), 0xFF8000u);

    // JavaScript ends with the script lexer's styles of its second group.
    EXPECT_EQ(languages[54][0].style, 1);
    // Every styled language starts with a lexer style, except the one whose lexer has none.
    EXPECT_EQ(languages[0][0].style, 0);
    EXPECT_EQ(languages[51][0].style, 0);
    for (int id = 1; id < kThemeLanguageCount - 1; ++id) {
        if (id != 51) {
            EXPECT_NE(languages[static_cast<std::size_t>(id)][0].style, 0) << id;
        }
    }
}

}  // namespace
}  // namespace kelpo
