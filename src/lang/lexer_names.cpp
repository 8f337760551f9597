// Maps the catalogue's lexer numbers to the names Lexilla creates lexers by.
#include "lang/lexer_names.h"

#include <array>

namespace kelpo {
namespace {

struct LexerNameEntry {
    std::uint16_t number;
    std::string_view name;
};

// Names as given by each lexer's LexerModule in Lexilla 5.2.2; note "hypertext" for HTML,
// upper-case "COBOL" and "nimrod" (the older of Lexilla's two Nim lexers).
constexpr std::array kLexerNames{
    LexerNameEntry{kLexerNull, "null"},
    LexerNameEntry{kLexerPython, "python"},
    LexerNameEntry{kLexerCpp, "cpp"},
    LexerNameEntry{kLexerHtml, "hypertext"},
    LexerNameEntry{kLexerXml, "xml"},
    LexerNameEntry{kLexerPerl, "perl"},
    LexerNameEntry{kLexerSql, "sql"},
    LexerNameEntry{kLexerVb, "vb"},
    LexerNameEntry{kLexerProperties, "props"},
    LexerNameEntry{kLexerMakefile, "makefile"},
    LexerNameEntry{kLexerBatch, "batch"},
    LexerNameEntry{kLexerLatex, "latex"},
    LexerNameEntry{kLexerLua, "lua"},
    LexerNameEntry{kLexerDiff, "diff"},
    LexerNameEntry{kLexerPascal, "pascal"},
    LexerNameEntry{kLexerAda, "ada"},
    LexerNameEntry{kLexerLisp, "lisp"},
    LexerNameEntry{kLexerRuby, "ruby"},
    LexerNameEntry{kLexerTcl, "tcl"},
    LexerNameEntry{kLexerNncrontab, "nncrontab"},
    LexerNameEntry{kLexerBaan, "baan"},
    LexerNameEntry{kLexerMatlab, "matlab"},
    LexerNameEntry{kLexerAsm, "asm"},
    LexerNameEntry{kLexerFortran, "fortran"},
    LexerNameEntry{kLexerF77, "f77"},
    LexerNameEntry{kLexerCss, "css"},
    LexerNameEntry{kLexerEscript, "escript"},
    LexerNameEntry{kLexerPostScript, "ps"},
    LexerNameEntry{kLexerNsis, "nsis"},
    LexerNameEntry{kLexerMmixal, "mmixal"},
    LexerNameEntry{kLexerYaml, "yaml"},
    LexerNameEntry{kLexerTex, "tex"},
    LexerNameEntry{kLexerErlang, "erlang"},
    LexerNameEntry{kLexerVerilog, "verilog"},
    LexerNameEntry{kLexerKix, "kix"},
    LexerNameEntry{kLexerGui4Cli, "gui4cli"},
    LexerNameEntry{kLexerAutoIt, "au3"},
    LexerNameEntry{kLexerBash, "bash"},
    LexerNameEntry{kLexerAsn1, "asn1"},
    LexerNameEntry{kLexerVhdl, "vhdl"},
    LexerNameEntry{kLexerCaml, "caml"},
    LexerNameEntry{kLexerBlitzBasic, "blitzbasic"},
    LexerNameEntry{kLexerPureBasic, "purebasic"},
    LexerNameEntry{kLexerHaskell, "haskell"},
    LexerNameEntry{kLexerRebol, "rebol"},
    LexerNameEntry{kLexerSmalltalk, "smalltalk"},
    LexerNameEntry{kLexerCsound, "csound"},
    LexerNameEntry{kLexerFreeBasic, "freebasic"},
    LexerNameEntry{kLexerInno, "inno"},
    LexerNameEntry{kLexerSpice, "spice"},
    LexerNameEntry{kLexerD, "d"},
    LexerNameEntry{kLexerCmake, "cmake"},
    LexerNameEntry{kLexerR, "r"},
    LexerNameEntry{kLexerPowerShell, "powershell"},
    LexerNameEntry{kLexerCobol, "COBOL"},
    LexerNameEntry{kLexerNimrod, "nimrod"},
    LexerNameEntry{kLexerTxt2tags, "txt2tags"},
    LexerNameEntry{kLexerCoffeeScript, "coffeescript"},
    LexerNameEntry{kLexerAviSynth, "avs"},
    LexerNameEntry{kLexerOScript, "oscript"},
    LexerNameEntry{kLexerVisualProlog, "visualprolog"},
    LexerNameEntry{kLexerRust, "rust"},
    LexerNameEntry{kLexerRegistry, "registry"},
    LexerNameEntry{kLexerSrec, "srec"},
    LexerNameEntry{kLexerIhex, "ihex"},
    LexerNameEntry{kLexerTehex, "tehex"},
    LexerNameEntry{kLexerJson, "json"},
    // Lexilla 5.2.2 has no cue-sheet lexer, and its number 122 belongs to its "indent"
    // lexer. The number stays as the catalogue's own; the name is that of the cue-sheet
    // lexer the program registers itself, so nothing may map 122 back to Lexilla's
    // SCLEX_INDENT or hand the number to SCI_SETLEXER-style lookups in Lexilla.
    LexerNameEntry{kLexerCueSheet, "cuesheet"},
};

constexpr bool NumbersAndNamesAreUnique() {
    for (std::size_t i = 0; i < kLexerNames.size(); ++i) {
        for (std::size_t j = i + 1; j < kLexerNames.size(); ++j) {
            if (kLexerNames[i].number == kLexerNames[j].number ||
                kLexerNames[i].name == kLexerNames[j].name) {
                return false;
            }
        }
    }
    return true;
}
static_assert(NumbersAndNamesAreUnique());

}  // namespace

std::string_view LexerName(std::uint16_t lexerNumber) {
    for (const LexerNameEntry& entry : kLexerNames) {
        if (entry.number == lexerNumber) return entry.name;
    }
    return {};
}

}  // namespace kelpo
