// Tests of applying theme documents to the global settings and the language style slots.
#include "lang/theme_apply.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelpo {
namespace {

constexpr ColorRef kSystemHighlight = 0x00D77800;

class ThemeApplyTest : public ::testing::Test {
protected:
    ThemeApplyTest() : languages(kThemeLanguageCount) {
        for (LanguageStyleSlots& slots : languages) pointers.push_back(&slots);
    }

    ThemeStores Stores() { return ThemeStores{global, pointers, defaultColors}; }

    bool Apply(const std::string& text, bool reset = false) {
        return ApplyThemeText(text, reset, kSystemHighlight, Stores());
    }

    // Marks every store so that a test can see whether anything was touched.
    void FillWithMarks() {
        SetGlobalStyleDefaults(global, kSystemHighlight);
        global.lineNumberStyle = StyleDef{33, 9, kStyleBold, 1, 2};
        global.caretColor = 0x123456;
        for (LanguageStyleSlots& slots : languages) slots[0] = StyleDef{7, 0, kStyleItalic, 3, 4};
        defaultColors = {0xABCDEF, 0xFEDCBA};
    }

    static std::string Theme(const std::string& groups) { return "<kelpo>" + groups + "</kelpo>"; }

    GlobalStyleSettings global;
    std::vector<LanguageStyleSlots> languages;
    std::vector<LanguageStyleSlots*> pointers;
    ThemeDefaultColors defaultColors;
};

TEST_F(ThemeApplyTest, EmptyThemeWithResetGivesTheDefaults) {
    FillWithMarks();
    ASSERT_TRUE(Apply("<kelpo/>", true));
    EXPECT_STREQ(global.fontName.data(), "Courier New");
    EXPECT_EQ(global.defaultStyle.style, 32);
    EXPECT_EQ(global.defaultStyle.size, 10);
    EXPECT_EQ(global.defaultStyle.flags, 0);
    EXPECT_EQ(global.defaultStyle.fore, 0x000000u);
    EXPECT_EQ(global.defaultStyle.back, 0xCAEACEu);
    EXPECT_EQ(global.lineNumberStyle.style, 0);
    EXPECT_EQ(global.lineNumberStyle.flags, 0);
    EXPECT_EQ(global.currentLineBack, kColorUnset);
    EXPECT_EQ(global.selectionBack, kSystemHighlight);
    EXPECT_EQ(global.edgeColor, 0xC0C0C0u);
    EXPECT_EQ(global.caretColor, 0u);
    EXPECT_EQ(global.whiteSpaceColor, 0u);
    EXPECT_EQ(global.foldMarginHighlightColor, 0xFFFFFFu);
    EXPECT_EQ(global.foldMarginColor, 0x808080u);
    EXPECT_EQ(global.bookmarkMarginBack, kColorUnset);
    EXPECT_EQ(global.linkHoverColor, 0x808080u);
    EXPECT_EQ(global.foldMarkerFore, 0xFFFFFFu);
    EXPECT_EQ(global.foldMarkerBack, 0x808080u);
    EXPECT_EQ(global.foldMarkerSelectedColor, 0x0000FFu);
    const std::vector<std::pair<int, ColorRef>> indicators = {
        {31, 0x0000FF}, {29, 0x00FF00}, {28, 0xFF0000}, {25, 0xFFFF00},
        {24, 0x0080FF}, {23, 0x00FFFF}, {22, 0xFF0080}, {21, 0x008000}};
    for (const auto& [indicator, color] : indicators) {
        ASSERT_NE(IndicatorColor(global, indicator), nullptr) << indicator;
        EXPECT_EQ(*IndicatorColor(global, indicator), color) << indicator;
    }
    EXPECT_EQ(IndicatorColor(global, 26), nullptr);
    for (const LanguageStyleSlots& slots : languages) EXPECT_EQ(slots[0].style, 0);
    EXPECT_EQ(defaultColors.fore, 0x000000u);
    EXPECT_EQ(defaultColors.back, 0xCAEACEu);
}

TEST_F(ThemeApplyTest, WithoutResetOnlyTheDefaultedFieldsStartAfresh) {
    FillWithMarks();
    ASSERT_TRUE(Apply("<kelpo/>"));
    EXPECT_EQ(global.lineNumberStyle.size, 9);  // not among the defaults
    EXPECT_EQ(global.caretColor, 0u);           // among them
    EXPECT_EQ(languages[3][0].style, 7);
}

TEST_F(ThemeApplyTest, DocumentThatIsNoThemeChangesNothing) {
    for (const std::string& text : {std::string("<theme><styles/></theme>"), std::string(""),
                                   std::string("<!DOCTYPE kelpo"), std::string("<!DOCTYPE x><kelpo/>").substr(0, 12), std::string("not xml at all")}) {
        FillWithMarks();
        EXPECT_FALSE(Apply(text, true)) << text;
        EXPECT_EQ(global.lineNumberStyle.size, 9) << text;
        EXPECT_EQ(global.caretColor, 0x123456u) << text;
        EXPECT_EQ(languages[3][0].style, 7) << text;
        EXPECT_EQ(defaultColors.fore, 0xABCDEFu) << text;
    }
}

TEST_F(ThemeApplyTest, GlobalEntriesGoWhereTheirIdSays) {
    ASSERT_TRUE(Apply(Theme(R"(<styles>
        <style id="32">fore:#102030,back:#405060,font:Consolas,size:12,bold</style>
        <style id="33">fore:#808080,back:#F7F1E0</style>
        <style id="34">fore:#FF0000,size:10,bold</style>
        <style id="35">fore:#800000</style>
        <style id="37">fore:#C0C0C0,italic</style>
        <style id="2098">back:#010203</style>
        <style id="2068">back:#040506</style>
        <style id="2069">fore:#070809</style>
        <style id="2365">back:#0A0B0C</style>
        <style id="2250">back:#0D0E0F</style>
        <style id="2041">fore:#111111,back:#222222</style>
        <style id="2292">fore:#333333</style>
        <style id="2290">fore:#444444,back:#555555</style>
        <style id="2084">fore:#666666</style>
        <style id="2682">fore:#777777</style>
        <style id="29">back:#000029</style>
        <style id="21">back:#000021</style>
    </styles>)"), true));
    EXPECT_STREQ(global.fontName.data(), "Consolas");
    EXPECT_EQ(global.defaultStyle.style, 32);
    EXPECT_EQ(global.defaultStyle.size, 12);
    EXPECT_EQ(global.defaultStyle.flags, kStyleForeSet | kStyleBackSet | kStyleBold);
    EXPECT_EQ(global.defaultStyle.fore, 0x302010u);
    EXPECT_EQ(global.defaultStyle.back, 0x605040u);
    EXPECT_EQ(global.lineNumberStyle.style, 33);
    EXPECT_EQ(global.lineNumberStyle.back, 0xE0F1F7u);
    EXPECT_EQ(global.braceLightStyle.style, 34);
    EXPECT_EQ(global.braceLightStyle.flags, kStyleForeSet | kStyleBold);
    EXPECT_EQ(global.braceBadStyle.fore, 0x000080u);
    EXPECT_EQ(global.indentGuideStyle.style, 37);
    EXPECT_EQ(global.indentGuideStyle.flags, kStyleForeSet | kStyleItalic);
    EXPECT_EQ(global.currentLineBack, 0x030201u);
    EXPECT_EQ(global.selectionBack, 0x060504u);
    EXPECT_EQ(global.caretColor, 0x090807u);
    EXPECT_EQ(global.edgeColor, 0x0C0B0Au);
    EXPECT_EQ(global.bookmarkMarginBack, 0x0F0E0Du);
    EXPECT_EQ(global.foldMarkerFore, 0x111111u);
    EXPECT_EQ(global.foldMarkerBack, 0x222222u);
    EXPECT_EQ(global.foldMarkerSelectedColor, 0x333333u);
    EXPECT_EQ(global.foldMarginHighlightColor, 0x444444u);
    EXPECT_EQ(global.foldMarginColor, 0x555555u);
    EXPECT_EQ(global.whiteSpaceColor, 0x666666u);
    EXPECT_EQ(global.linkHoverColor, 0x777777u);
    EXPECT_EQ(*IndicatorColor(global, 29), 0x290000u);
    EXPECT_EQ(*IndicatorColor(global, 21), 0x210000u);
    EXPECT_EQ(*IndicatorColor(global, 31), 0x0000FFu);  // untouched default
    EXPECT_EQ(defaultColors.fore, 0x302010u);
    EXPECT_EQ(defaultColors.back, 0x605040u);
}

TEST_F(ThemeApplyTest, GlobalColourTakesOnlyTheColourItsEntryNames) {
    ASSERT_TRUE(Apply(Theme(R"(<styles>
        <style id="2365">fore:#80FFFF</style>
        <style id="2098">fore:#123456</style>
        <style id="2041">fore:#111111</style>
        <style id="31">fore:#123456</style>
    </styles>)"), true));
    EXPECT_EQ(global.edgeColor, 0xC0C0C0u);
    EXPECT_EQ(global.currentLineBack, kColorUnset);
    EXPECT_EQ(global.foldMarkerFore, 0x111111u);
    EXPECT_EQ(global.foldMarkerBack, 0x808080u);
    EXPECT_EQ(*IndicatorColor(global, 31), 0x0000FFu);
}

TEST_F(ThemeApplyTest, GlobalEntriesWithoutEffectAreHarmless) {
    ASSERT_TRUE(Apply(Theme(R"(<styles>
        <style id="33">font:Arial,fore:#FF0000</style>
        <style id="26">back:#FFFF00</style>
        <style id="27">back:#8000FF</style>
        <style id="0">fore:#FF0000,back:#FF0000</style>
        <style id="36">back:#FF0000</style>
        <style id="65568">back:#FF0000</style>
        <style>fore:#FF0000</style>
        <style id="-2098">back:#FF0000</style>
        <other id="32">fore:#FF0000</other>
    </styles>)"), true));
    EXPECT_STREQ(global.fontName.data(), "Courier New");  // fonts only from entry 32
    EXPECT_EQ(global.lineNumberStyle.fore, 0x0000FFu);
    EXPECT_EQ(global.defaultStyle.fore, 0u);
    EXPECT_EQ(global.defaultStyle.back, 0xCAEACEu);
    EXPECT_EQ(global.currentLineBack, kColorUnset);
}

TEST_F(ThemeApplyTest, GlobalFontNameIsCutToItsField) {
    ASSERT_TRUE(Apply(Theme("<styles><style id=\"32\">font:" + std::string(80, 'F') + ",bold</style></styles>")));
    EXPECT_EQ(std::string(global.fontName.data()), std::string(31, 'F'));
    EXPECT_EQ(global.defaultStyle.flags, kStyleBold);
}

TEST_F(ThemeApplyTest, LanguageGroupFillsSlotsInOrder) {
    ASSERT_TRUE(Apply(Theme(R"(<styles id="3" name="cpp">
        <style id="0" name="DEFAULT">fore:#000000</style>
        <style id="1" name="COMMENT">fore:#008000,italic</style>
        <style name="no id">fore:#FF0000</style>
        <style id="-4">fore:#FF0000</style>
        <style id="5" name="WORD">fore:#0000FF,bold,font:Arial</style>
        <style id="6"/>
    </styles>)")));
    const LanguageStyleSlots& slots = languages[3];
    EXPECT_EQ(slots[0].style, 1);
    EXPECT_EQ(slots[0].fore, 0x008000u);
    EXPECT_EQ(slots[0].flags, kStyleForeSet | kStyleItalic);
    EXPECT_EQ(slots[1].style, 5);
    EXPECT_EQ(slots[1].flags, kStyleForeSet | kStyleBold);
    EXPECT_EQ(slots[2].style, 6);
    EXPECT_EQ(slots[2].flags, 0);
    EXPECT_EQ(slots[3].style, 0);
    EXPECT_STREQ(global.fontName.data(), "Courier New");
}

TEST_F(ThemeApplyTest, LanguageGroupNeverPassesItsSlots) {
    std::string group = "<styles id=\"81\">";
    for (int id = 1; id <= 40; ++id) group += "<style id=\"" + std::to_string(id) + "\">bold</style>";
    group += "</styles>";
    ASSERT_TRUE(Apply(Theme(group)));
    for (int slot = 0; slot < kLanguageStyleSlots; ++slot) EXPECT_EQ(languages[81][slot].style, slot + 1);
    EXPECT_EQ(languages[80][0].style, 0);
}

TEST_F(ThemeApplyTest, SecondGroupForALanguageReplacesSlotBySlot) {
    ASSERT_TRUE(Apply(Theme(R"(
        <styles id="54" name="javascript">
            <style id="41">fore:#000001,bold</style>
            <style id="42">fore:#000002</style>
            <style id="43">fore:#000003</style>
        </styles>
        <styles id="54" name="javascript.js">
            <style id="1">fore:#000011</style>
            <style id="2">fore:#000012</style>
        </styles>)")));
    const LanguageStyleSlots& slots = languages[54];
    EXPECT_EQ(slots[0].style, 1);
    EXPECT_EQ(slots[0].flags, kStyleForeSet);  // the first group's bold is gone
    EXPECT_EQ(slots[1].style, 2);
    EXPECT_EQ(slots[2].style, 43);
    EXPECT_EQ(slots[2].fore, 0x030000u);
    EXPECT_EQ(slots[3].style, 0);
}

TEST_F(ThemeApplyTest, GroupsWithIdsOutsideTheCatalogueAreIgnored) {
    FillWithMarks();
    ASSERT_TRUE(Apply(Theme(R"(
        <styles id="82"><style id="1">bold</style></styles>
        <styles id="-1"><style id="1">bold</style></styles>
        <styles id="99999999999"><style id="1">bold</style></styles>
        <styles id="2"><style id="70000">bold</style><style id="65536">bold</style></styles>)")));
    for (const LanguageStyleSlots& slots : languages) EXPECT_EQ(slots[0].style, 7);
}

TEST_F(ThemeApplyTest, NonNumericGroupIdStylesTheFirstLanguage) {
    ASSERT_TRUE(Apply(Theme(R"(<styles id="cpp"><style id="1">bold</style></styles>)")));
    EXPECT_EQ(languages[0][0].style, 1);
    EXPECT_EQ(languages[3][0].style, 0);
}

TEST_F(ThemeApplyTest, ShortOrSparseLanguageStoreIsRespected) {
    std::vector<LanguageStyleSlots> few(3);
    std::vector<LanguageStyleSlots*> sparse = {&few[0], nullptr, &few[2]};
    const ThemeStores stores{global, sparse, defaultColors};
    ASSERT_TRUE(ApplyThemeText(Theme(R"(
        <styles id="1"><style id="1">bold</style></styles>
        <styles id="2"><style id="2">bold</style></styles>
        <styles id="3"><style id="3">bold</style></styles>
        <styles id="81"><style id="4">bold</style></styles>)"), true, kSystemHighlight, stores));
    EXPECT_EQ(few[0][0].style, 0);
    EXPECT_EQ(few[1][0].style, 0);
    EXPECT_EQ(few[2][0].style, 2);
}

TEST_F(ThemeApplyTest, ResetEmptiesSlotsThatTheThemeDoesNotReach) {
    FillWithMarks();
    languages[3][5] = StyleDef{9, 0, 0, 0, 0};
    ASSERT_TRUE(Apply(Theme(R"(<styles id="3"><style id="1">bold</style></styles>)"), true));
    EXPECT_EQ(languages[3][0].style, 1);
    EXPECT_EQ(languages[3][5].style, 0);
    EXPECT_EQ(languages[4][0].style, 0);
}

TEST_F(ThemeApplyTest, ThemeTextNeedNotBeTerminated) {
    const std::string theme = Theme(R"(<styles id="3"><style id="1">bold</style></styles>)");
    const std::string text = theme + R"(<kelpo><styles id="4"><style id="1">bold</style></styles></kelpo>)";
    ASSERT_TRUE(ApplyThemeText(std::string_view(text).substr(0, theme.size()), false, kSystemHighlight, Stores()));
    EXPECT_EQ(languages[3][0].style, 1);
    EXPECT_EQ(languages[4][0].style, 0);
}

TEST_F(ThemeApplyTest, ThemeFileIsReadAndAMissingOneChangesNothing) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kelpo_theme_apply_test.xml";
    {
        std::ofstream file(path, std::ios::binary);
        file << "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
             << Theme(R"(<styles><style id="2069">fore:#0000FF</style></styles>)");
    }
    ASSERT_TRUE(ApplyThemeFile(path.wstring().c_str(), true, kSystemHighlight, Stores()));
    EXPECT_EQ(global.caretColor, 0xFF0000u);
    std::filesystem::remove(path);

    FillWithMarks();
    EXPECT_FALSE(ApplyThemeFile(path.wstring().c_str(), true, kSystemHighlight, Stores()));
    EXPECT_FALSE(ApplyThemeFile(nullptr, true, kSystemHighlight, Stores()));
    EXPECT_EQ(global.caretColor, 0x123456u);
}

}  // namespace
}  // namespace kelpo
