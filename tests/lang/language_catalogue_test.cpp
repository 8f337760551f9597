// Tests of the language catalogue entries: lookup by position, the per-entry fields and
// the style slots that themes write.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "lang/language_catalogue.h"
#include "lang/lexer_names.h"

namespace kelpo {
namespace {

std::string Text(const char* s) { return s == nullptr ? "<none>" : s; }

TEST(LanguageAt, ClampsPositionsOutsideTheCatalogueToText) {
    EXPECT_EQ(&LanguageAt(-1), &LanguageAt(0));
    EXPECT_EQ(&LanguageAt(-2147483647 - 1), &LanguageAt(0));
    EXPECT_EQ(&LanguageAt(LanguageCount), &LanguageAt(0));
    EXPECT_EQ(&LanguageAt(2147483647), &LanguageAt(0));
    EXPECT_EQ(LanguageAt(81).id, 81);
    EXPECT_STREQ(LanguageAt(81).displayName, L"CueSheet");
    EXPECT_STREQ(LanguageAt(0).displayName, L"Text");
}

TEST(LanguageAt, EveryEntryCarriesItsOwnPositionAndAUniqueName) {
    std::set<std::wstring> names;
    for (int i = 0; i < LanguageCount; ++i) {
        const LanguageDef& entry = LanguageAt(i);
        EXPECT_EQ(entry.id, i);
        ASSERT_NE(entry.displayName, nullptr);
        EXPECT_TRUE(names.insert(entry.displayName).second) << i;
        EXPECT_FALSE(LexerName(entry.lexer).empty()) << i;
    }
}

TEST(LanguageDef, SampleEntriesMatchTheCatalogueTable) {
    const LanguageDef& cpp = LanguageAt(kLangCpp);
    EXPECT_STREQ(cpp.displayName, L"C++");
    EXPECT_EQ(cpp.lexer, kLexerCpp);
    EXPECT_EQ(Text(cpp.lineComment), "//");
    EXPECT_EQ(Text(cpp.blockCommentStart), "/*");
    EXPECT_EQ(Text(cpp.blockCommentEnd), "*/");

    const LanguageDef& php = LanguageAt(kLangPhp);
    EXPECT_EQ(php.lexer, kLexerHtml);
    EXPECT_EQ(Text(php.lineComment), "//");
    for (const char* list : php.keywords) EXPECT_EQ(list, nullptr);  // set up with HTML's lists

    const LanguageDef& python = LanguageAt(kLangPython);
    EXPECT_EQ(python.lexer, kLexerPython);
    EXPECT_EQ(Text(python.lineComment), "#");
    EXPECT_FALSE(HasMarker(python.blockCommentStart));

    const LanguageDef& makefile = LanguageAt(kLangMakefile);
    EXPECT_EQ(makefile.lexer, kLexerMakefile);
    EXPECT_EQ(Text(makefile.lineComment), "#");

    const LanguageDef& text = LanguageAt(kLangText);
    EXPECT_EQ(text.lexer, kLexerNull);
    EXPECT_FALSE(HasMarker(text.lineComment));
    EXPECT_FALSE(HasMarker(text.blockCommentStart));

    EXPECT_EQ(Text(LanguageAt(kLangSmalltalk).blockCommentStart), "\"");
    EXPECT_EQ(Text(LanguageAt(kLangSmalltalk).blockCommentEnd), "\"");
    EXPECT_EQ(Text(LanguageAt(kLangBaanC).lineComment), "|");
    EXPECT_EQ(Text(LanguageAt(kLangNncrontab).lineComment), "\\");
    EXPECT_EQ(Text(LanguageAt(kLangAutoIt).blockCommentStart), "#CS");
    EXPECT_EQ(Text(LanguageAt(kLangPowerShell).blockCommentEnd), "#>");
    EXPECT_EQ(Text(LanguageAt(kLangFortran77).lineComment), "C");
    EXPECT_EQ(Text(LanguageAt(kLangRegistry).lineComment), ";;");
    EXPECT_EQ(LanguageAt(kLangCueSheet).lexer, kLexerCueSheet);
}

TEST(LanguageDef, CommentMarkersAreAbsentOrNonEmpty) {
    for (int i = 0; i < LanguageCount; ++i) {
        const LanguageDef& entry = LanguageAt(i);
        for (const char* marker : {entry.lineComment, entry.blockCommentStart, entry.blockCommentEnd}) {
            if (marker != nullptr) {
                EXPECT_GT(std::strlen(marker), 0u) << i;
            }
        }
        // A block comment needs both ends or neither.
        EXPECT_EQ(HasMarker(entry.blockCommentStart), HasMarker(entry.blockCommentEnd)) << i;
    }
}

TEST(LanguageDef, IndentationDefaultsAndExceptions) {
    const LanguageDef& text = LanguageAt(kLangText);
    EXPECT_EQ(text.keepIndentation, 0);
    EXPECT_EQ(text.ruleIndentation, 1);
    EXPECT_EQ(text.indentOpening, 0);
    EXPECT_EQ(text.indentClosing, 0);
    EXPECT_EQ(text.braceStyle, 0);
    EXPECT_EQ(text.statementLookback, 20);
    EXPECT_STREQ(text.statementIndent.words, "");

    EXPECT_EQ(LanguageAt(kLangPython).statementLookback, 0);
    EXPECT_EQ(LanguageAt(kLangNim).statementLookback, 0);
    int zeroLookback = 0;
    for (int i = 0; i < LanguageCount; ++i) zeroLookback += LanguageAt(i).statementLookback == 0;
    EXPECT_EQ(zeroLookback, 2);

    for (LanguageId keeps : {kLangLua, kLangVhdl, kLangOScript}) {
        EXPECT_EQ(LanguageAt(keeps).keepIndentation, 1) << keeps;
    }
    const LanguageDef& json = LanguageAt(kLangJson);
    EXPECT_EQ(json.indentOpening, 1);
    EXPECT_EQ(json.indentClosing, 1);

    const LanguageDef& cpp = LanguageAt(kLangCpp);
    EXPECT_EQ(cpp.braceStyle, 10);
    EXPECT_EQ(cpp.statementIndent.style, 5);
    EXPECT_STREQ(cpp.statementIndent.words, "case default do else for if private protected public while");
    EXPECT_EQ(cpp.statementEnd.style, 10);
    EXPECT_STREQ(cpp.statementEnd.words, ";");
    EXPECT_STREQ(cpp.blockStart.words, "{");
    EXPECT_STREQ(cpp.blockEnd.words, "}");

    const LanguageDef& pascal = LanguageAt(kLangPascal);
    EXPECT_EQ(pascal.braceStyle, 13);
    EXPECT_EQ(pascal.blockStart.style, 9);
    EXPECT_STREQ(pascal.blockStart.words, "begin");
    EXPECT_EQ(pascal.statementEnd.style, 13);

    const LanguageDef& verilog = LanguageAt(kLangVerilog);
    EXPECT_EQ(verilog.statementIndent.style, 105);
    EXPECT_STREQ(verilog.blockEnd.words, "begin end endcase");

    const LanguageDef& rust = LanguageAt(kLangRust);
    EXPECT_EQ(rust.statementIndent.style, 6);
    EXPECT_STREQ(rust.statementIndent.words, "");
    EXPECT_EQ(rust.blockStart.style, 16);

    const LanguageDef& prolog = LanguageAt(kLangVisualProlog);
    EXPECT_STREQ(prolog.statementIndent.words, "do then :-");
    EXPECT_STREQ(prolog.blockStart.words, ". end");
    EXPECT_EQ(prolog.blockEnd.style, 20);

    EXPECT_EQ(LanguageAt(kLangPhp).braceStyle, 31);
    EXPECT_EQ(LanguageAt(kLangShell).braceStyle, 7);
    EXPECT_EQ(LanguageAt(kLangAssembly).statementIndent.style, 9);
    EXPECT_STREQ(LanguageAt(kLangAssembly).statementIndent.words, ".if");
    EXPECT_EQ(LanguageAt(kLangAda).statementIndent.style, 1);
    EXPECT_STREQ(LanguageAt(kLangNim).statementIndent.words, "elif else except finally of for if try while");
}

TEST(LanguageDef, IndentRuleWordListsAreWellFormed) {
    for (int i = 0; i < LanguageCount; ++i) {
        const LanguageDef& entry = LanguageAt(i);
        for (const IndentRule* rule : {&entry.statementIndent, &entry.statementEnd, &entry.blockStart,
                                       &entry.blockEnd}) {
            ASSERT_NE(rule->words, nullptr) << i;
            const std::string words = rule->words;
            EXPECT_EQ(words.find("  "), std::string::npos) << i;
            if (!words.empty()) {
                EXPECT_NE(words.front(), ' ') << i;
                EXPECT_NE(words.back(), ' ') << i;
            }
        }
    }
}

TEST(StyleSlotsOfLanguage, ThemeWritesLandInTheEntryAndClearEmptiesThemAll) {
    std::array<StyleDef, kLanguageStyleSlots>* cpp = StyleSlotsOfLanguage(kLangCpp);
    ASSERT_NE(cpp, nullptr);
    (*cpp)[0] = StyleDef{5, 10, kStyleBold | kStyleForeSet, 0x0000FF, 0};
    ASSERT_NE(StyleSlotsOfLanguage(LanguageCount - 1), nullptr);
    (*StyleSlotsOfLanguage(LanguageCount - 1))[32].style = 7;
    EXPECT_EQ(LanguageAt(kLangCpp).styles[0].style, 5);
    EXPECT_EQ(LanguageAt(kLangCpp).styles[0].fore, 0x0000FFu);
    EXPECT_EQ(LanguageAt(kLangC).styles[0].style, 0);  // entries do not share slots
    EXPECT_EQ(LanguageAt(LanguageCount - 1).styles[32].style, 7);

    ClearLanguageStyleSlots();
    for (int i = 0; i < LanguageCount; ++i) {
        for (const StyleDef& slot : LanguageAt(i).styles) {
            EXPECT_EQ(slot.style, 0);
            EXPECT_EQ(slot.flags, 0);
            EXPECT_EQ(slot.fore, 0u);
        }
    }
}

TEST(StyleSlotsOfLanguage, PositionsOutsideTheCatalogueGiveNoSlots) {
    // Clamping here would let a theme group with a bad id overwrite Text's styles.
    EXPECT_EQ(StyleSlotsOfLanguage(-1), nullptr);
    EXPECT_EQ(StyleSlotsOfLanguage(LanguageCount), nullptr);
    EXPECT_EQ(StyleSlotsOfLanguage(0), &LanguageAt(0).styles);
}

}  // namespace
}  // namespace kelpo
