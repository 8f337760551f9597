// The language catalogue: the entries, their extensions and their indentation rules,
// assembled at compile time from the tables below and the generated keyword lists.
#include "lang/language_catalogue.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "lang/lexer_names.h"

namespace kelpo {
namespace {

#include "lang/language_keywords.inc"

struct BaseRow {
    std::uint16_t id;
    const wchar_t* name;
    std::uint16_t lexer;
    const char* lineComment;
    const char* blockCommentStart;
    const char* blockCommentEnd;
};

// clang-format off
constexpr BaseRow kBaseRows[] = {
    {kLangText, L"Text", kLexerNull, nullptr, nullptr, nullptr},
    {kLangPhp, L"PHP", kLexerHtml, "//", "/*", "*/"},
    {kLangC, L"C", kLexerCpp, "//", "/*", "*/"},
    {kLangCpp, L"C++", kLexerCpp, "//", "/*", "*/"},
    {kLangCSharp, L"C#", kLexerCpp, "//", "/*", "*/"},
    {kLangObjectiveC, L"Objective-C", kLexerCpp, "//", "/*", "*/"},
    {kLangJava, L"Java", kLexerCpp, "//", "/*", "*/"},
    {kLangRc, L"RC", kLexerCpp, "//", "/*", "*/"},
    {kLangHtml, L"HTML", kLexerHtml, nullptr, "<!--", "-->"},
    {kLangXml, L"XML", kLexerXml, nullptr, "<!--", "-->"},
    {kLangMakefile, L"Makefile", kLexerMakefile, "#", nullptr, nullptr},
    {kLangPascal, L"Pascal", kLexerPascal, nullptr, "{", "}"},
    {kLangBatch, L"Batch", kLexerBatch, "REM", nullptr, nullptr},
    {kLangIni, L"ini", kLexerProperties, ";", nullptr, nullptr},
    {kLangAsp, L"ASP", kLexerHtml, "'", nullptr, nullptr},
    {kLangSql, L"SQL", kLexerSql, "--", "/*", "*/"},
    {kLangVisualBasic, L"Visual Basic", kLexerVb, "'", nullptr, nullptr},
    {kLangCss, L"CSS", kLexerCss, nullptr, "/*", "*/"},
    {kLangPerl, L"Perl", kLexerPerl, "#", nullptr, nullptr},
    {kLangPython, L"Python", kLexerPython, "#", nullptr, nullptr},
    {kLangLua, L"Lua", kLexerLua, "--", nullptr, nullptr},
    {kLangTex, L"TeX", kLexerTex, "%", nullptr, nullptr},
    {kLangFortran, L"Fortran free form", kLexerFortran, "!", nullptr, nullptr},
    {kLangShell, L"Shell", kLexerBash, "#", nullptr, nullptr},
    {kLangActionScript, L"ActionScript", kLexerCpp, "//", "/*", "*/"},
    {kLangNsis, L"NSIS", kLexerNsis, ";", "/*", "*/"},
    {kLangTcl, L"TCL", kLexerTcl, "#", nullptr, nullptr},
    {kLangLisp, L"Lisp", kLexerLisp, ";", nullptr, nullptr},
    {kLangScheme, L"Scheme", kLexerLisp, ";", nullptr, nullptr},
    {kLangAssembly, L"Assembly", kLexerAsm, ";", nullptr, nullptr},
    {kLangDiff, L"Diff", kLexerDiff, nullptr, nullptr, nullptr},
    {kLangProperties, L"Properties file", kLexerProperties, "#", nullptr, nullptr},
    {kLangPostScript, L"PostScript", kLexerPostScript, "%", nullptr, nullptr},
    {kLangRuby, L"Ruby", kLexerRuby, "#", nullptr, nullptr},
    {kLangSmalltalk, L"Smalltalk", kLexerSmalltalk, nullptr, "\"", "\""},
    {kLangVhdl, L"VHDL", kLexerVhdl, "--", "/*", "*/"},
    {kLangKixtart, L"KiXtart", kLexerKix, ";", nullptr, nullptr},
    {kLangAutoIt, L"AutoIt", kLexerAutoIt, ";", "#CS", "#CE"},
    {kLangCaml, L"CAML", kLexerCaml, nullptr, "(*", "*)"},
    {kLangAda, L"Ada", kLexerAda, "--", nullptr, nullptr},
    {kLangVerilog, L"Verilog", kLexerVerilog, "//", "/*", "*/"},
    {kLangMatlab, L"MATLAB", kLexerMatlab, "%", nullptr, nullptr},
    {kLangHaskell, L"Haskell", kLexerHaskell, "--", nullptr, nullptr},
    {kLangInnoSetup, L"Inno Setup", kLexerInno, ";", nullptr, nullptr},
    {kLangCmake, L"CMake", kLexerCmake, "#", nullptr, nullptr},
    {kLangYaml, L"YAML", kLexerYaml, "#", nullptr, nullptr},
    {kLangCobol, L"COBOL", kLexerCobol, "*>", nullptr, nullptr},
    {kLangGui4Cli, L"Gui4Cli", kLexerGui4Cli, nullptr, nullptr, nullptr},
    {kLangD, L"D", kLexerD, "//", "/*", "*/"},
    {kLangPowerShell, L"PowerShell", kLexerPowerShell, "#", "<#", "#>"},
    {kLangR, L"R", kLexerR, "#", nullptr, nullptr},
    {kLangJsp, L"JSP", kLexerHtml, "//", "/*", "*/"},
    {kLangCoffeeScript, L"CoffeeScript", kLexerCoffeeScript, "#", nullptr, nullptr},
    {kLangJson, L"json", kLexerJson, nullptr, nullptr, nullptr},
    {kLangJavaScript, L"JavaScript", kLexerCpp, "//", "/*", "*/"},
    {kLangFortran77, L"Fortran fixed form", kLexerF77, "C", nullptr, nullptr},
    {kLangBaanC, L"BaanC", kLexerBaan, "|", nullptr, nullptr},
    {kLangSrec, L"S-Record", kLexerSrec, nullptr, nullptr, nullptr},
    {kLangIntelHex, L"Intel HEX", kLexerIhex, nullptr, nullptr, nullptr},
    {kLangTekHex, L"Tektronix extended HEX", kLexerTehex, nullptr, nullptr, nullptr},
    {kLangSwift, L"Swift", kLexerCpp, "//", "/*", "*/"},
    {kLangAsn1, L"ASN.1", kLexerAsn1, nullptr, nullptr, nullptr},
    {kLangAviSynth, L"AviSynth", kLexerAviSynth, "#", "/*", "*/"},
    {kLangBlitzBasic, L"BlitzBasic", kLexerBlitzBasic, nullptr, nullptr, nullptr},
    {kLangPureBasic, L"PureBasic", kLexerPureBasic, nullptr, nullptr, nullptr},
    {kLangFreeBasic, L"FreeBasic", kLexerFreeBasic, nullptr, nullptr, nullptr},
    {kLangCsound, L"Csound", kLexerCsound, ";", nullptr, nullptr},
    {kLangErlang, L"Erlang", kLexerErlang, "%", nullptr, nullptr},
    {kLangEscript, L"ESCRIPT", kLexerEscript, nullptr, nullptr, nullptr},
    {kLangLatex, L"LaTeX", kLexerLatex, nullptr, nullptr, nullptr},
    {kLangMmixal, L"MMIXAL", kLexerMmixal, "%", nullptr, nullptr},
    {kLangNim, L"Nim", kLexerNimrod, "#", nullptr, nullptr},
    {kLangNncrontab, L"Nncrontab", kLexerNncrontab, "\\", nullptr, nullptr},
    {kLangOScript, L"OScript", kLexerOScript, "//", "/*", "*/"},
    {kLangRebol, L"REBOL", kLexerRebol, ";", nullptr, nullptr},
    {kLangRegistry, L"registry", kLexerRegistry, ";;", nullptr, nullptr},
    {kLangRust, L"Rust", kLexerRust, "//", "/*", "*/"},
    {kLangSpice, L"Spice", kLexerSpice, "*", nullptr, nullptr},
    {kLangTxt2tags, L"txt2tags", kLexerTxt2tags, nullptr, nullptr, nullptr},
    {kLangVisualProlog, L"Visual Prolog", kLexerVisualProlog, "%", "/*", "*/"},
    {kLangTypeScript, L"TypeScript", kLexerCpp, "//", "/*", "*/"},
    {kLangCueSheet, L"CueSheet", kLexerCueSheet, "REM", nullptr, nullptr},
};
// clang-format on
static_assert(std::size(kBaseRows) == LanguageCount);

// Entries whose indentation and brace fields differ from the defaults of LanguageDef.
struct IndentRow {
    std::uint16_t id;
    std::uint8_t keepIndentation;
    std::uint8_t ruleIndentation;
    std::uint8_t indentOpening;
    std::uint8_t indentClosing;
    int braceStyle;
    std::int32_t statementLookback;
    IndentRule statementIndent;
    IndentRule statementEnd;
    IndentRule blockStart;
    IndentRule blockEnd;
};

constexpr IndentRule kNoRule{};
constexpr const char* kCFamilyIndentWords = "case default do else for if while";
constexpr IndentRule kCFamilyEnd{10, ";"};
constexpr IndentRule kCFamilyOpen{10, "{"};
constexpr IndentRule kCFamilyClose{10, "}"};

// clang-format off
constexpr IndentRow kIndentRows[] = {
    {kLangPhp, 0, 1, 0, 0, 31, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangC, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangCpp, 0, 1, 0, 0, 10, 20, {5, "case default do else for if private protected public while"},
        kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangCSharp, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangObjectiveC, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangJava, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangRc, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangHtml, 0, 1, 0, 0, 31, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangPascal, 0, 1, 0, 0, 13, 20,
        {9, "case class do else for then private protected public published repeat try while type"},
        {13, ";"}, {9, "begin"}, {9, "end"}},
    {kLangAsp, 0, 1, 0, 0, 31, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangSql, 0, 1, 0, 0, 10, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangPerl, 0, 1, 0, 0, 10, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangPython, 0, 1, 0, 0, 10, 0, {5, "class def elif else except finally for if try while with"},
        kNoRule, kNoRule, kNoRule},
    {kLangLua, 1, 1, 0, 0, 10, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangShell, 0, 1, 0, 0, 7, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangActionScript, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangTcl, 0, 1, 0, 0, 6, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangLisp, 0, 1, 0, 0, 10, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangScheme, 0, 1, 0, 0, 10, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangAssembly, 0, 1, 0, 0, 0, 20, {9, ".if"}, kNoRule, kNoRule, kNoRule},
    {kLangRuby, 0, 1, 0, 0, 10, 20, {5, "def class if do elsif else case while for"}, kNoRule,
        {5, "do"}, {5, "end"}},
    {kLangVhdl, 1, 1, 0, 0, 5, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangKixtart, 0, 1, 0, 0, 0, 20, {7, "if else for do while function case"}, kNoRule, kNoRule, kNoRule},
    {kLangCaml, 0, 1, 0, 0, 7, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangAda, 0, 1, 0, 0, 4, 20, {1, "begin declare else elsif exception for if is loop while"}, kNoRule,
        {10, "then is"}, {10, "end"}},
    {kLangVerilog, 0, 1, 0, 0, 10, 20, {105, "always else for if while"}, {10, ";"},
        {5, "begin case casex casez"}, {5, "begin end endcase"}},
    {kLangCmake, 0, 1, 0, 0, 0, 20, {5, "if while foreach macro"}, kNoRule, kNoRule, kNoRule},
    {kLangD, 0, 1, 0, 0, 13, 20,
        {6, "case catch class debug default do else finally for foreach foreach_reverse if private "
            "protected public scope struct try union while with"},
        {13, ";"}, {13, "{"}, {13, "}"}},
    {kLangR, 0, 1, 0, 0, 8, 20, {5, "for if"}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangJsp, 0, 1, 0, 0, 31, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangJson, 0, 1, 1, 1, 0, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangJavaScript, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangBaanC, 0, 1, 0, 0, 7, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangSwift, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
    {kLangAviSynth, 0, 1, 0, 0, 5, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangNim, 0, 1, 0, 0, 10, 0, {15, "elif else except finally of for if try while"}, kNoRule, kNoRule,
        kNoRule},
    {kLangOScript, 1, 1, 0, 0, 12, 20, kNoRule, kNoRule, kNoRule, kNoRule},
    {kLangRust, 0, 1, 0, 0, 16, 20, {6, ""}, {16, ";"}, {16, "{"}, {16, "}"}},
    {kLangSpice, 0, 1, 0, 0, 4, 20, {5, "begin declare else elsif exception for if is loop while"}, kNoRule,
        {10, "then is"}, {10, "end"}},
    {kLangVisualProlog, 0, 1, 0, 0, 12, 20, {2, "do then :-"}, kNoRule, {1, ". end"}, {20, ""}},
    {kLangTypeScript, 0, 1, 0, 0, 10, 20, {5, kCFamilyIndentWords}, kCFamilyEnd, kCFamilyOpen, kCFamilyClose},
};
// clang-format on

constexpr std::array<LanguageDef, LanguageCount> BuildCatalogue() {
    std::array<LanguageDef, LanguageCount> catalogue{};
    for (const BaseRow& row : kBaseRows) {
        LanguageDef& entry = catalogue[row.id];
        entry.lexer = row.lexer;
        entry.id = row.id;
        entry.displayName = row.name;
        entry.lineComment = row.lineComment;
        entry.blockCommentStart = row.blockCommentStart;
        entry.blockCommentEnd = row.blockCommentEnd;
        entry.keywords = kLanguageKeywords[row.id];
    }
    for (const IndentRow& row : kIndentRows) {
        LanguageDef& entry = catalogue[row.id];
        entry.keepIndentation = row.keepIndentation;
        entry.ruleIndentation = row.ruleIndentation;
        entry.indentOpening = row.indentOpening;
        entry.indentClosing = row.indentClosing;
        entry.braceStyle = row.braceStyle;
        entry.statementLookback = row.statementLookback;
        entry.statementIndent = row.statementIndent;
        entry.statementEnd = row.statementEnd;
        entry.blockStart = row.blockStart;
        entry.blockEnd = row.blockEnd;
    }
    return catalogue;
}

constexpr bool RowsAreInCatalogueOrder() {
    for (std::size_t i = 0; i < std::size(kBaseRows); ++i) {
        if (kBaseRows[i].id != static_cast<std::uint16_t>(i)) return false;
    }
    return true;
}
static_assert(RowsAreInCatalogueOrder(), "the base rows must list every id once, in order");

// Style slots are rewritten by theme loads, so the catalogue is mutable state; it is
// constant-initialised, so no code can see it before it is filled.
constinit std::array<LanguageDef, LanguageCount> gCatalogue = BuildCatalogue();

struct ExtensionGroup {
    std::uint16_t language;
    std::string_view extensions;  // separated by single spaces
};

// clang-format off
constexpr ExtensionGroup kExtensionGroups[] = {
    {kLangText, "txt"},
    {kLangPhp, "php php3 php4 php5 phps phpt phtml"},
    {kLangC, "c lex"},
    {kLangCpp, "cc cpp cxx h hh hpp hxx ino"},
    {kLangCSharp, "cs"},
    {kLangObjectiveC, "mm"},
    {kLangJava, "java"},
    {kLangRc, "rc"},
    {kLangHtml, "hta htm html shtm shtml xht xhtml"},
    {kLangXml, "csproj csxproj dbproj gml gpx kml mxml plist sitemap svg sxbl vbproj vcproj vcxproj "
               "wsdl xaml xbl xlf xliff xml xsd xsl xslt xsml xul"},
    {kLangMakefile, "tvk dsp mak mk"},  // tvk: the build tool's project files
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
// clang-format on

constexpr std::size_t CountExtensions() {
    std::size_t count = 0;
    for (const ExtensionGroup& group : kExtensionGroups) {
        count += 1;
        for (char c : group.extensions) count += c == ' ' ? 1 : 0;
    }
    return count;
}

constexpr auto FlattenExtensions() {
    std::array<ExtensionEntry, CountExtensions()> table{};
    std::size_t next = 0;
    for (const ExtensionGroup& group : kExtensionGroups) {
        std::string_view rest = group.extensions;
        while (!rest.empty()) {
            const std::size_t space = rest.find(' ');
            table[next++] = {rest.substr(0, space), group.language};
            rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
        }
    }
    return table;
}

constexpr auto kExtensions = FlattenExtensions();
static_assert(kExtensions.size() == 202);

// Longer extensions are cut to this many code units before the lookup.
constexpr std::size_t kMaxExtensionUnits = 15;

bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

}  // namespace

const LanguageDef& LanguageAt(int position) {
    if (position < 0 || position >= LanguageCount) position = kLangText;
    return gCatalogue[static_cast<std::size_t>(position)];
}

std::string NormaliseExtension(std::wstring_view extension) {
    std::string normalised;
    const std::size_t length = std::min(extension.size(), kMaxExtensionUnits);
    normalised.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char byte = static_cast<char>(static_cast<unsigned>(extension[i]) & 0xFFu);
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
        normalised.push_back(byte);
    }
    return normalised;
}

const LanguageDef* FindLanguageByExtension(std::wstring_view extension) {
    // A code unit whose low byte is 0 stays in the text, so "c" followed by U+0100 is
    // not taken for "c".
    const std::string normalised = NormaliseExtension(extension);
    for (const ExtensionEntry& entry : kExtensions) {
        if (entry.extension == normalised) return &gCatalogue[entry.language];
    }
    return nullptr;
}

const LanguageDef& ChooseLanguageForFile(std::wstring_view fileName) {
    std::size_t nameStart = fileName.size();
    while (nameStart > 0 && !IsPathSeparator(fileName[nameStart - 1])) --nameStart;
    const std::wstring_view name = fileName.substr(nameStart);

    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos) return LanguageAt(kLangText);
    const LanguageDef* language = FindLanguageByExtension(name.substr(dot + 1));
    return language != nullptr ? *language : LanguageAt(kLangText);
}

std::span<const ExtensionEntry> ExtensionTable() { return kExtensions; }

std::array<StyleDef, kLanguageStyleSlots>* StyleSlotsOfLanguage(int position) {
    if (position < 0 || position >= LanguageCount) return nullptr;
    return &gCatalogue[static_cast<std::size_t>(position)].styles;
}

void ClearLanguageStyleSlots() {
    for (LanguageDef& entry : gCatalogue) entry.styles.fill(StyleDef{});
}

}  // namespace kelpo
