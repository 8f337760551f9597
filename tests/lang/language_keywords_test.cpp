// Tests of the keyword lists that the catalogue hands to the lexers.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

// Which slots each language fills, as the lexers read them.
struct FilledSlots {
    LanguageId language;
    const char* slots;  // slot digits
};
constexpr FilledSlots kFilledSlots[] = {
    {kLangC, "01"},          {kLangCpp, "012"},        {kLangCSharp, "01"},
    {kLangObjectiveC, "034"}, {kLangJava, "01"},       {kLangRc, "0"},
    {kLangHtml, "0124"},     {kLangPascal, "0"},       {kLangBatch, "0"},
    {kLangSql, "04"},        {kLangVisualBasic, "0"},  {kLangCss, "0146"},
    {kLangPerl, "0"},        {kLangPython, "01"},      {kLangLua, "0123"},
    {kLangFortran, "012"},   {kLangShell, "0"},        {kLangActionScript, "01"},
    {kLangNsis, "012"},      {kLangTcl, "013"},        {kLangLisp, "0"},
    {kLangScheme, "0"},      {kLangAssembly, "012345"}, {kLangPostScript, "0123"},
    {kLangRuby, "0"},        {kLangSmalltalk, "0"},    {kLangVhdl, "012345"},
    {kLangKixtart, "012"},   {kLangAutoIt, "012345"},  {kLangCaml, "012"},
    {kLangAda, "0"},         {kLangVerilog, "01"},     {kLangMatlab, "0"},
    {kLangHaskell, "0"},     {kLangInnoSetup, "01234"}, {kLangCmake, "02"},
    {kLangYaml, "0"},        {kLangCobol, "012"},      {kLangD, "0"},
    {kLangPowerShell, "0125"}, {kLangR, "012"},        {kLangCoffeeScript, "013"},
    {kLangJson, "01"},       {kLangJavaScript, "01"},  {kLangFortran77, "012"},
    {kLangBaanC, "012345678"}, {kLangSwift, "013"},    {kLangAsn1, "0123"},
    {kLangAviSynth, "01234"}, {kLangBlitzBasic, "0"},  {kLangPureBasic, "01"},
    {kLangFreeBasic, "01"},  {kLangCsound, "01"},      {kLangErlang, "012345"},
    {kLangEscript, "012"},   {kLangMmixal, "012"},     {kLangNim, "0"},
    {kLangNncrontab, "012"}, {kLangOScript, "012345"}, {kLangRebol, "012"},
    {kLangRust, "012"},      {kLangSpice, "012"},      {kLangVisualProlog, "0123"},
    {kLangTypeScript, "03"}, {kLangCueSheet, "0"},
};

std::string FilledSlotDigits(const LanguageDef& entry) {
    std::string digits;
    for (int slot = 0; slot < kKeywordSlots; ++slot) {
        if (entry.keywords[static_cast<std::size_t>(slot)] != nullptr) digits += static_cast<char>('0' + slot);
    }
    return digits;
}

TEST(KeywordLists, EachLanguageFillsTheSlotsItsLexerReads) {
    std::set<int> listed;
    for (const FilledSlots& expected : kFilledSlots) {
        listed.insert(expected.language);
        EXPECT_EQ(FilledSlotDigits(LanguageAt(expected.language)), expected.slots) << expected.language;
    }
    for (int i = 0; i < LanguageCount; ++i) {
        if (!listed.count(i)) {
            EXPECT_EQ(FilledSlotDigits(LanguageAt(i)), "") << i;
        }
    }
}

TEST(KeywordLists, AreSingleSpaceSeparatedPrintableWordsWithoutRepeats) {
    for (int i = 0; i < LanguageCount; ++i) {
        for (int slot = 0; slot < kKeywordSlots; ++slot) {
            const char* list = LanguageAt(i).keywords[static_cast<std::size_t>(slot)];
            if (list == nullptr) continue;
            const std::string text = list;
            SCOPED_TRACE("language " + std::to_string(i) + " slot " + std::to_string(slot));
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text.front(), ' ');
            EXPECT_NE(text.back(), ' ');
            EXPECT_EQ(text.find("  "), std::string::npos);
            for (char c : text) EXPECT_TRUE(c == ' ' || (c > ' ' && c < 0x7F)) << static_cast<int>(c);
            std::istringstream words(text);
            std::set<std::string> seen;
            std::string word;
            while (words >> word) EXPECT_TRUE(seen.insert(word).second) << word;
        }
    }
}

// Lexers that lower-case a word before the lookup never match an upper-case entry.
TEST(KeywordLists, ListsForCaseFoldingLexersAreLowerCase) {
    struct FoldedSlot {
        LanguageId language;
        int slot;
    };
    const FoldedSlot folded[] = {
        {kLangHtml, 0},  {kLangHtml, 2},   {kLangHtml, 4},     {kLangSql, 0},     {kLangSql, 4},
        {kLangVisualBasic, 0}, {kLangCss, 0}, {kLangCss, 1},   {kLangFortran, 0}, {kLangFortran, 1},
        {kLangAssembly, 0}, {kLangAssembly, 3}, {kLangVhdl, 0}, {kLangAutoIt, 1}, {kLangAda, 0},
        {kLangInnoSetup, 0}, {kLangCmake, 0}, {kLangCobol, 2}, {kLangPowerShell, 1}, {kLangPascal, 0},
        {kLangBatch, 0}, {kLangKixtart, 2}, {kLangNim, 0},     {kLangRebol, 0},   {kLangSpice, 0},
        {kLangBlitzBasic, 0}, {kLangEscript, 0}, {kLangOScript, 3}, {kLangAviSynth, 1},
        {kLangBaanC, 3},
    };
    for (const FoldedSlot& f : folded) {
        const char* list = LanguageAt(f.language).keywords[static_cast<std::size_t>(f.slot)];
        ASSERT_NE(list, nullptr) << f.language << " slot " << f.slot;
        for (const char* c = list; *c != '\0'; ++c) {
            EXPECT_FALSE(*c >= 'A' && *c <= 'Z') << f.language << " slot " << f.slot << ": " << list;
        }
    }
}

TEST(KeywordLists, ListsGivenWordForWord) {
    auto list = [](LanguageId language, int slot) {
        const char* text = LanguageAt(language).keywords[static_cast<std::size_t>(slot)];
        return std::string(text == nullptr ? "<none>" : text);
    };
    EXPECT_EQ(list(kLangObjectiveC, 4), "oneway in out inout bycopy byref");
    EXPECT_EQ(list(kLangTypeScript, 3), "number string boolean void any bigint");
    EXPECT_EQ(list(kLangCss, 6), "after before first-letter first-line");
    EXPECT_EQ(list(kLangVhdl, 1), "abs and mod nand nor not or rem rol ror sla sll sra srl xnor xor");
    EXPECT_EQ(list(kLangAutoIt, 4), "#include #include-once #pragma");
    EXPECT_EQ(list(kLangAutoIt, 5), "#region #endregion");
    EXPECT_EQ(list(kLangCaml, 1), "option Some None ignore ref lnot succ pred");
    EXPECT_EQ(list(kLangCaml, 2), "array bool char float int list string unit");
    EXPECT_EQ(list(kLangYaml, 0), "true false yes no");
    EXPECT_EQ(list(kLangJson, 0), "false null true");
    EXPECT_EQ(list(kLangR, 0), "if else repeat while function for in next break TRUE FALSE NULL NA Inf NaN");
    EXPECT_EQ(list(kLangCoffeeScript, 3), "false true yes no on off undefined null NaN Infinity");
    EXPECT_EQ(list(kLangAviSynth, 0), "true false return global");
    EXPECT_EQ(list(kLangCsound, 1), "sr kr ar ksmps nchnls");
    EXPECT_EQ(list(kLangRust, 1),
              "bool char f32 f64 i128 i16 i32 i64 i8 isize str u128 u16 u32 u64 u8 usize");
    EXPECT_EQ(list(kLangRust, 2), "Self");
    EXPECT_EQ(list(kLangSpice, 2), "param nodeset include options dcconv subckt ends model");
    EXPECT_EQ(list(kLangVisualProlog, 3), "short detail end exception withdomain");
    EXPECT_EQ(list(kLangOScript, 2), "and eq ge gt le lt ne not or xor");
    EXPECT_EQ(list(kLangErlang, 2), "-define -else -endif -ifdef -ifndef -include -include_lib -undef");
    EXPECT_EQ(list(kLangBaanC, 2), "~.is.mandatory");
    EXPECT_EQ(list(kLangBaanC, 5), "actual.occ zoomreturn$");
    EXPECT_EQ(list(kLangBaanC, 6), "__file__ z.session");
    EXPECT_EQ(list(kLangBaanC, 7), "^tcyesno. ^tdsls.corg.");
    EXPECT_EQ(list(kLangBaanC, 8), "dalnew dalupdate");
}

TEST(KeywordLists, FortranFormsShareTheirLists) {
    for (std::size_t slot = 0; slot < 3; ++slot) {
        EXPECT_STREQ(LanguageAt(kLangFortran).keywords[slot], LanguageAt(kLangFortran77).keywords[slot]);
    }
}

// The C-family lexer colours the words of its global-class set wherever they stand in code,
// so documentation-comment words (param, file, name...) must stay in their own set.
TEST(KeywordLists, CppDocumentationWordsAreNotTakenForClassNames) {
    const std::string docWords = LanguageAt(kLangCpp).keywords[2];
    EXPECT_NE((" " + docWords + " ").find(" param "), std::string::npos);
    EXPECT_EQ(LanguageAt(kLangCpp).keywords[3], nullptr);
}

TEST(KeywordLists, CamlListDoesNotSwitchTheLexerToStandardMl) {
    const std::string keywords = " " + std::string(LanguageAt(kLangCaml).keywords[0]) + " ";
    EXPECT_EQ(keywords.find(" andalso "), std::string::npos);
}

}  // namespace
}  // namespace kelpo
