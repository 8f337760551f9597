// Tests of the lexer numbers of the catalogue and the Lexilla names they map to.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lang/language_catalogue.h"
#include "lang/lexer_names.h"

namespace kelpo {
namespace {

TEST(LexerName, EveryCatalogueLexerHasOneNameOfItsOwn) {
    std::map<std::string, int> numberOfName;
    for (int i = 0; i < LanguageCount; ++i) {
        const std::uint16_t number = LanguageAt(i).lexer;
        const std::string name(LexerName(number));
        ASSERT_FALSE(name.empty()) << "language " << i << " lexer " << number;
        auto [it, inserted] = numberOfName.emplace(name, number);
        EXPECT_EQ(it->second, number) << name << " names two lexer numbers";
    }
    EXPECT_EQ(numberOfName.size(), 68u);
}

TEST(LexerName, NamesAreThoseLexillaCreatesLexersBy) {
    EXPECT_EQ(LexerName(kLexerNull), "null");
    EXPECT_EQ(LexerName(kLexerCpp), "cpp");
    EXPECT_EQ(LexerName(kLexerHtml), "hypertext");
    EXPECT_EQ(LexerName(kLexerProperties), "props");
    EXPECT_EQ(LexerName(kLexerAutoIt), "au3");
    EXPECT_EQ(LexerName(kLexerCobol), "COBOL");
    EXPECT_EQ(LexerName(kLexerNimrod), "nimrod");
    EXPECT_EQ(LexerName(kLexerAviSynth), "avs");
    EXPECT_EQ(LexerName(kLexerPostScript), "ps");
    EXPECT_EQ(LexerName(kLexerJson), "json");
    EXPECT_EQ(LexerName(kLexerCueSheet), "cuesheet");
    EXPECT_EQ(kLexerCueSheet, 122);
}

TEST(LexerName, NumbersNoEntryUsesHaveNoName) {
    EXPECT_EQ(LexerName(0), "");
    EXPECT_EQ(LexerName(10), "");  // the error list lexer is set up by the output pane
    EXPECT_EQ(LexerName(126), "");
    EXPECT_EQ(LexerName(65535), "");
}

}  // namespace
}  // namespace kelpo
