// Tests of the theme style-string reader.
#include "lang/style_string.h"

#include <array>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace kelpo {
namespace {

StyleDef Parse(std::string_view text) {
    StyleDef style;
    ParseStyleString(text, style);
    return style;
}

TEST(StyleString, ColoursAreStoredAsWindowsValues) {
    const StyleDef red = Parse("fore:#FF0000");
    EXPECT_EQ(red.fore, 0x0000FFu);
    EXPECT_EQ(red.flags, kStyleForeSet);

    const StyleDef back = Parse("back:#123456");
    EXPECT_EQ(back.back, 0x563412u);
    EXPECT_EQ(back.flags, kStyleBackSet);

    // The character after the colon is skipped whatever it is; lower-case digits are read.
    EXPECT_EQ(Parse("fore:x00ff00").fore, 0x00FF00u);
    // Fewer digits are a smaller number; digits beyond six are ignored.
    EXPECT_EQ(Parse("fore:#FF").fore, 0xFF0000u);
    EXPECT_EQ(Parse("fore:#1234567").fore, 0x563412u);
}

TEST(StyleString, UnreadableColourLeavesColourUnset) {
    StyleDef style;
    style.fore = 0x112233;
    ParseStyleString("fore:#,fore:,fore:#GG0000,back:", style);
    EXPECT_EQ(style.fore, 0x112233u);
    EXPECT_EQ(style.flags, 0);
}

TEST(StyleString, TokensMustStartExactly) {
    // The second token starts with a blank and is ignored.
    EXPECT_EQ(Parse("bold, italic").flags, kStyleBold);
    EXPECT_EQ(Parse("boldface").flags, 0);
    EXPECT_EQ(Parse("Bold").flags, 0);
    EXPECT_EQ(Parse("background:#FF0000").flags, 0);
    EXPECT_EQ(Parse("foreground:#FF0000").flags, 0);
    EXPECT_EQ(Parse(" fore:#FF0000").flags, 0);
    EXPECT_EQ(Parse("sizes:12").size, 0);
    EXPECT_EQ(Parse(",,,").flags, 0);
    EXPECT_EQ(Parse("").flags, 0);
}

TEST(StyleString, SingleLetterTokensSetFlags) {
    EXPECT_EQ(Parse("eolfilled").flags, kStyleEolFilled);
    EXPECT_EQ(Parse("e").flags, kStyleEolFilled);
    EXPECT_EQ(Parse("it").flags, kStyleItalic);
    EXPECT_EQ(Parse("italic").flags, kStyleItalic);
    EXPECT_EQ(Parse("underline").flags, kStyleUnderline);
    EXPECT_EQ(Parse("bold,italic,underline,eolfilled,fore:#000000,back:#000000").flags,
              kStyleBold | kStyleItalic | kStyleUnderline | kStyleEolFilled | kStyleForeSet | kStyleBackSet);
}

TEST(StyleString, SizeKeepsLowByteAndZeroMeansUnset) {
    EXPECT_EQ(Parse("size:10").size, 10);
    EXPECT_EQ(Parse("size:300").size, 44);
    // 10^20 - 1 leaves 255 modulo 256, however many digits overflow an int.
    EXPECT_EQ(Parse("size:99999999999999999999").size, 255);
    StyleDef style;
    style.size = 12;
    ParseStyleString("size:0", style);
    EXPECT_EQ(style.size, 12);
    ParseStyleString("size:256", style);
    EXPECT_EQ(style.size, 12);
    ParseStyleString("size:", style);
    EXPECT_EQ(style.size, 12);
    ParseStyleString("size:9pt", style);
    EXPECT_EQ(style.size, 9);
}

TEST(StyleString, StyleNumberIsNotTouched) {
    StyleDef style;
    style.style = 2098;
    ParseStyleString("back:#F7F1E0,size:12", style);
    EXPECT_EQ(style.style, 2098);
}

TEST(StyleString, OnlyTheFirst255CharactersCount) {
    std::string text(250, 'x');
    text += ",bold";  // ends at character 255
    EXPECT_EQ(Parse(text).flags, kStyleBold);
    text = std::string(251, 'x') + ",bold";  // the token is cut to "bol"
    EXPECT_EQ(Parse(text).flags, 0);
    text = std::string(247, 'x') + ",fore:#FF0000";  // the colour is cut to one digit
    EXPECT_EQ(Parse(text).fore, 0x0F0000u);
}

TEST(StyleString, FontNameGoesToTheGivenBufferOnly) {
    std::array<char, 32> font{};
    StyleDef style;
    ParseStyleString("font:Consolas,size:11", style, font);
    EXPECT_STREQ(font.data(), "Consolas");
    EXPECT_EQ(style.size, 11);

    // Without a buffer the font is ignored and nothing else changes.
    EXPECT_EQ(Parse("font:Consolas").flags, 0);

    // A shorter name replaces a longer one completely.
    ParseStyleString("font:Arial", style, font);
    EXPECT_STREQ(font.data(), "Arial");

    // An empty name is no name.
    ParseStyleString("font:", style, font);
    EXPECT_STREQ(font.data(), "Arial");
}

TEST(StyleString, LongFontNameNeverLeavesItsField) {
    // A guard after the field shows any write past it.
    struct Guarded {
        std::array<char, 32> font{};
        std::array<char, 8> guard{};
    } buffer;
    buffer.guard.fill('G');
    StyleDef style;
    ParseStyleString("font:" + std::string(100, 'N') + ",bold", style, buffer.font);
    EXPECT_EQ(std::strlen(buffer.font.data()), 31u);
    EXPECT_EQ(std::string(buffer.font.data()), std::string(31, 'N'));
    EXPECT_EQ(std::string(buffer.guard.begin(), buffer.guard.end()), std::string(8, 'G'));
    EXPECT_EQ(style.flags, kStyleBold);

    std::array<char, 1> tiny{'?'};
    ParseStyleString("font:Arial", style, tiny);
    EXPECT_EQ(tiny[0], '\0');
}

}  // namespace
}  // namespace kelpo
