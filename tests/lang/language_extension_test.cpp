// Tests of choosing a file's language from its extension.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

int ChosenId(const std::wstring& fileName) { return ChooseLanguageForFile(fileName).id; }

// The extension table as published for users, kept apart from the program's own copy so a
// slip in either shows up.
struct PublishedRow {
    LanguageId language;
    const char* extensions;
};
constexpr PublishedRow kPublished[] = {
    {kLangText, "txt"},
    {kLangPhp, "php php3 php4 php5 phps phpt phtml"},
    {kLangC, "c lex"},
    {kLangCpp, "cc cpp cxx h hh hpp hxx ino"},
    {kLangCSharp, "cs"},
    {kLangObjectiveC, "mm"},
    {kLangJava, "java"},
    {kLangRc, "rc"},
    {kLangHtml, "hta htm html shtm shtml xht xhtml"},
    {kLangXml, "csproj csxproj dbproj gml gpx kml mxml plist sitemap svg sxbl vbproj vcproj vcxproj wsdl "
               "xaml xbl xlf xliff xml xsd xsl xslt xsml xul"},
    {kLangMakefile, "tvk dsp mak mk"},
    {kLangPascal, "inc lpr p pas pp"},
    {kLangBatch, "bat cmd nt"},
    {kLangIni, "inf ini tss url wer"},
    {kLangAsp, "asp"},
    {kLangSql, "sql"},
    {kLangVisualBasic, "vb vbs"},
    {kLangCss, "css"},
    {kLangPerl, "pl plx pm"},
    {kLangPython, "py pyw"},
    {kLangLua, "lua"},
    {kLangFortran, "f f23 f2k f90 f95 for"},
    {kLangShell, "bash bash_profile bashrc bsh csh profile sh"},
    {kLangActionScript, "as mx"},
    {kLangNsis, "nsh nsi"},
    {kLangTcl, "tcl"},
    {kLangLisp, "lisp lsp"},
    {kLangScheme, "scm smd ss"},
    {kLangAssembly, "asm"},
    {kLangDiff, "diff patch"},
    {kLangProperties, "properties"},
    {kLangPostScript, "ps"},
    {kLangRuby, "rb rbw"},
    {kLangSmalltalk, "st"},
    {kLangVhdl, "vhd vhdl"},
    {kLangKixtart, "kix"},
    {kLangAutoIt, "au3"},
    {kLangCaml, "ml mli sml thy"},
    {kLangAda, "ada adb ads"},
    {kLangVerilog, "sv svh v vh"},
    {kLangMatlab, "m"},
    {kLangHaskell, "hs las lhs"},
    {kLangInnoSetup, "iss"},
    {kLangCmake, "cmake"},
    {kLangYaml, "yaml yml"},
    {kLangCobol, "cbd cbl cdb cdc cob copy cpy lst"},
    {kLangD, "d"},
    {kLangPowerShell, "ps1 psm1"},
    {kLangR, "r s splus"},
    {kLangJsp, "jsp"},
    {kLangCoffeeScript, "coffee litcoffee"},
    {kLangJson, "json"},
    {kLangJavaScript, "js jsm jsx"},
    {kLangFortran77, "f77"},
    {kLangBaanC, "bc cln"},
    {kLangSrec, "mot srec"},
    {kLangIntelHex, "hex"},
    {kLangTekHex, "tek"},
    {kLangSwift, "swift"},
    {kLangAsn1, "mib"},
    {kLangAviSynth, "avs avsi"},
    {kLangBlitzBasic, "bb"},
    {kLangPureBasic, "pb"},
    {kLangFreeBasic, "bas bi"},
    {kLangCsound, "csd orc sco"},
    {kLangErlang, "erl hrl"},
    {kLangEscript, "em src"},
    {kLangLatex, "sty tex"},
    {kLangMmixal, "mms"},
    {kLangNim, "nim"},
    {kLangNncrontab, "spf tab"},
    {kLangOScript, "osx"},
    {kLangRebol, "r2 r3 reb"},
    {kLangRegistry, "reg"},
    {kLangRust, "rs"},
    {kLangSpice, "out scp"},
    {kLangTxt2tags, "t2t"},
    {kLangVisualProlog, "cl i pack ph pro"},
    {kLangTypeScript, "ts tsx"},
    {kLangCueSheet, "cue"},
};

TEST(ExtensionTable, HoldsThePublished202ExtensionsOnceEach) {
    std::set<std::string> published;
    for (const PublishedRow& row : kPublished) {
        std::istringstream words(row.extensions);
        std::string extension;
        while (words >> extension) {
            EXPECT_TRUE(published.insert(extension).second) << extension;
            const LanguageDef* found =
                FindLanguageByExtension(std::wstring(extension.begin(), extension.end()));
            ASSERT_NE(found, nullptr) << extension;
            EXPECT_EQ(found->id, row.language) << extension;
        }
    }
    EXPECT_EQ(published.size(), 202u);

    std::set<std::string_view> own;
    for (const ExtensionEntry& entry : ExtensionTable()) {
        EXPECT_TRUE(own.insert(entry.extension).second) << entry.extension;
        EXPECT_TRUE(published.count(std::string(entry.extension))) << entry.extension;
        for (char c : entry.extension) EXPECT_FALSE(c >= 'A' && c <= 'Z') << entry.extension;
    }
    EXPECT_EQ(own.size(), 202u);
}

TEST(ExtensionTable, LanguagesReachedOnlyThroughTheChooser) {
    for (const ExtensionEntry& entry : ExtensionTable()) {
        EXPECT_NE(entry.language, kLangTex) << entry.extension;
        EXPECT_NE(entry.language, kLangGui4Cli) << entry.extension;
    }
}

TEST(ChooseLanguageForFile, CaseOfTheExtensionDoesNotMatter) {
    EXPECT_EQ(ChosenId(L"main.CPP"), kLangCpp);
    EXPECT_EQ(ChosenId(L"main.Cpp"), kLangCpp);
    EXPECT_EQ(ChosenId(L"main.cpp"), kLangCpp);
    EXPECT_EQ(ChosenId(L"INDEX.HTML"), kLangHtml);
}

TEST(ChooseLanguageForFile, NamesWithoutAKnownExtensionGetText) {
    EXPECT_EQ(ChosenId(L"Makefile"), kLangText);
    EXPECT_EQ(ChosenId(L""), kLangText);
    EXPECT_EQ(ChosenId(L"trailing."), kLangText);
    EXPECT_EQ(ChosenId(L"notes.tar.gz"), kLangText);  // looked up by "gz" alone
    EXPECT_EQ(ChosenId(L"archive.cpp.bak"), kLangText);
    EXPECT_EQ(ChosenId(L"readme.txt"), kLangText);
}

TEST(ChooseLanguageForFile, TheLastDotOfTheNamePartCounts) {
    EXPECT_EQ(ChosenId(L".bashrc"), kLangShell);
    EXPECT_EQ(ChosenId(L"backup.tar.py"), kLangPython);
    EXPECT_EQ(ChosenId(L"C:\\src\\main.c"), kLangC);
    EXPECT_EQ(ChosenId(L"C:\\projects\\v1.cpp\\Makefile"), kLangText);  // dot in a folder only
    EXPECT_EQ(ChosenId(L"/home/user/.profile"), kLangShell);
    EXPECT_EQ(ChosenId(L"dir.d/script"), kLangText);
    EXPECT_EQ(ChosenId(L"C:file.rs"), kLangRust);
    EXPECT_EQ(ChosenId(L"build.tvk"), kLangMakefile);
}

TEST(ChooseLanguageForFile, ExtensionsSharedInSpiritGoWhereTheTableSays) {
    EXPECT_EQ(ChosenId(L"a.h"), kLangCpp);
    EXPECT_EQ(ChosenId(L"a.c"), kLangC);
    EXPECT_EQ(ChosenId(L"a.m"), kLangMatlab);
    EXPECT_EQ(ChosenId(L"a.mm"), kLangObjectiveC);
    EXPECT_EQ(ChosenId(L"a.s"), kLangR);
    EXPECT_EQ(ChosenId(L"a.pro"), kLangVisualProlog);
    EXPECT_EQ(ChosenId(L"a.cl"), kLangVisualProlog);
    EXPECT_EQ(ChosenId(L"a.i"), kLangVisualProlog);
    EXPECT_EQ(ChosenId(L"a.inc"), kLangPascal);
    EXPECT_EQ(ChosenId(L"a.out"), kLangSpice);
    EXPECT_EQ(ChosenId(L"a.tab"), kLangNncrontab);
    EXPECT_EQ(ChosenId(L"a.tex"), kLangLatex);
    EXPECT_EQ(ChosenId(L"a.sty"), kLangLatex);
    EXPECT_EQ(ChosenId(L"a.f77"), kLangFortran77);
    EXPECT_EQ(ChosenId(L"a.f"), kLangFortran);
}

TEST(NormaliseExtension, CutsFoldsAndKeepsLowBytes) {
    EXPECT_EQ(NormaliseExtension(L"CpP"), "cpp");
    EXPECT_EQ(NormaliseExtension(L"Bash_Profile"), "bash_profile");
    EXPECT_EQ(NormaliseExtension(L"abcdefghijklmnopq"), "abcdefghijklmno");
    EXPECT_EQ(NormaliseExtension(L"ABCDEFGHIJKLMNOPQ").size(), 15u);
    // Only the low 8 bits of each code unit count: U+0163 becomes 'c'.
    EXPECT_EQ(NormaliseExtension(L"\u0163pp"), "cpp");
    // Bytes beyond ASCII are not folded.
    EXPECT_EQ(NormaliseExtension(L"\u00C9"), std::string(1, '\xC9'));
}

TEST(ChooseLanguageForFile, LongAndUnusualExtensions) {
    // Cut to 15 code units, so a 16-character extension never matches even a 15-letter prefix.
    EXPECT_EQ(ChosenId(L"a.propertiesxxxxx"), kLangText);
    EXPECT_EQ(ChosenId(L"a.PROPERTIES"), kLangProperties);
    EXPECT_EQ(ChosenId(L"a.bash_profile"), kLangShell);
    EXPECT_EQ(ChosenId(L"a." + std::wstring(300, L'c')), kLangText);
    // Low-byte folding makes U+0163 'c', as the lookup defines.
    EXPECT_EQ(ChosenId(L"a.\u0163pp"), kLangCpp);
    // A code unit whose low byte is 0 stays part of the extension instead of ending it.
    EXPECT_EQ(ChosenId(std::wstring(L"a.c") + L'\u0100'), kLangText);
    EXPECT_EQ(ChosenId(std::wstring(L"a.c") + L'\0'), kLangText);
}

TEST(FindLanguageByExtension, UnknownAndEmptyExtensionsFindNothing) {
    EXPECT_EQ(FindLanguageByExtension(L""), nullptr);
    EXPECT_EQ(FindLanguageByExtension(L"gz"), nullptr);
    EXPECT_EQ(FindLanguageByExtension(L".cpp"), nullptr);
    EXPECT_EQ(FindLanguageByExtension(L"cpp "), nullptr);
    ASSERT_NE(FindLanguageByExtension(L"TVK"), nullptr);
    EXPECT_EQ(FindLanguageByExtension(L"TVK")->id, kLangMakefile);
}

}  // namespace
}  // namespace kelpo
