// The fixed catalogue of 82 languages and the choice of a file's language by extension.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "lang/language_def.h"

namespace kelpo {

inline constexpr int LanguageCount = 82;

// Language ids: each entry's position in the catalogue.
enum LanguageId : std::uint16_t {
    kLangText, kLangPhp, kLangC, kLangCpp, kLangCSharp, kLangObjectiveC, kLangJava, kLangRc,
    kLangHtml, kLangXml, kLangMakefile, kLangPascal, kLangBatch, kLangIni, kLangAsp, kLangSql,
    kLangVisualBasic, kLangCss, kLangPerl, kLangPython, kLangLua, kLangTex, kLangFortran,
    kLangShell, kLangActionScript, kLangNsis, kLangTcl, kLangLisp, kLangScheme, kLangAssembly,
    kLangDiff, kLangProperties, kLangPostScript, kLangRuby, kLangSmalltalk, kLangVhdl,
    kLangKixtart, kLangAutoIt, kLangCaml, kLangAda, kLangVerilog, kLangMatlab, kLangHaskell,
    kLangInnoSetup, kLangCmake, kLangYaml, kLangCobol, kLangGui4Cli, kLangD, kLangPowerShell,
    kLangR, kLangJsp, kLangCoffeeScript, kLangJson, kLangJavaScript, kLangFortran77,
    kLangBaanC, kLangSrec, kLangIntelHex, kLangTekHex, kLangSwift, kLangAsn1, kLangAviSynth,
    kLangBlitzBasic, kLangPureBasic, kLangFreeBasic, kLangCsound, kLangErlang, kLangEscript,
    kLangLatex, kLangMmixal, kLangNim, kLangNncrontab, kLangOScript, kLangRebol, kLangRegistry,
    kLangRust, kLangSpice, kLangTxt2tags, kLangVisualProlog, kLangTypeScript, kLangCueSheet,
};
static_assert(kLangCueSheet + 1 == LanguageCount);

// The entry at a position; positions outside 0..LanguageCount-1 give entry 0 (Text).
const LanguageDef& LanguageAt(int position);

// The extension as the extension table spells it: at most 15 code units, each cut to
// its low 8 bits, A-Z folded to a-z.
std::string NormaliseExtension(std::wstring_view extension);

// The entry whose extension table holds the (normalised) extension; nullptr when none does.
const LanguageDef* FindLanguageByExtension(std::wstring_view extension);

// The language of a file from the extension of its name; a directory part is ignored.
// Names without a known extension give entry 0 (Text).
const LanguageDef& ChooseLanguageForFile(std::wstring_view fileName);

// One row of the extension table.
struct ExtensionEntry {
    std::string_view extension;
    std::uint16_t language;
};
std::span<const ExtensionEntry> ExtensionTable();

// The style slots a theme load writes; nullptr for a position outside the catalogue, so a
// bad id from a theme file cannot land in another language's slots.
std::array<StyleDef, kLanguageStyleSlots>* StyleSlotsOfLanguage(int position);

// Empties all style slots of all entries (a theme load with reset starts here).
void ClearLanguageStyleSlots();

}  // namespace kelpo
