// Lexer numbers used by the language catalogue and the Lexilla lexer name of each.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelpo {

// The numbers are those of Lexilla's SciLexer.h, except kLexerCueSheet (see lexer_names.cpp).
inline constexpr std::uint16_t kLexerNull = 1;
inline constexpr std::uint16_t kLexerPython = 2;
inline constexpr std::uint16_t kLexerCpp = 3;
inline constexpr std::uint16_t kLexerHtml = 4;
inline constexpr std::uint16_t kLexerXml = 5;
inline constexpr std::uint16_t kLexerPerl = 6;
inline constexpr std::uint16_t kLexerSql = 7;
inline constexpr std::uint16_t kLexerVb = 8;
inline constexpr std::uint16_t kLexerProperties = 9;
inline constexpr std::uint16_t kLexerMakefile = 11;
inline constexpr std::uint16_t kLexerBatch = 12;
inline constexpr std::uint16_t kLexerLatex = 14;
inline constexpr std::uint16_t kLexerLua = 15;
inline constexpr std::uint16_t kLexerDiff = 16;
inline constexpr std::uint16_t kLexerPascal = 18;
inline constexpr std::uint16_t kLexerAda = 20;
inline constexpr std::uint16_t kLexerLisp = 21;
inline constexpr std::uint16_t kLexerRuby = 22;
inline constexpr std::uint16_t kLexerTcl = 25;
inline constexpr std::uint16_t kLexerNncrontab = 26;
inline constexpr std::uint16_t kLexerBaan = 31;
inline constexpr std::uint16_t kLexerMatlab = 32;
inline constexpr std::uint16_t kLexerAsm = 34;
inline constexpr std::uint16_t kLexerFortran = 36;
inline constexpr std::uint16_t kLexerF77 = 37;
inline constexpr std::uint16_t kLexerCss = 38;
inline constexpr std::uint16_t kLexerEscript = 41;
inline constexpr std::uint16_t kLexerPostScript = 42;
inline constexpr std::uint16_t kLexerNsis = 43;
inline constexpr std::uint16_t kLexerMmixal = 44;
inline constexpr std::uint16_t kLexerYaml = 48;
inline constexpr std::uint16_t kLexerTex = 49;
inline constexpr std::uint16_t kLexerErlang = 53;
inline constexpr std::uint16_t kLexerVerilog = 56;
inline constexpr std::uint16_t kLexerKix = 57;
inline constexpr std::uint16_t kLexerGui4Cli = 58;
inline constexpr std::uint16_t kLexerAutoIt = 60;
inline constexpr std::uint16_t kLexerBash = 62;
inline constexpr std::uint16_t kLexerAsn1 = 63;
inline constexpr std::uint16_t kLexerVhdl = 64;
inline constexpr std::uint16_t kLexerCaml = 65;
inline constexpr std::uint16_t kLexerBlitzBasic = 66;
inline constexpr std::uint16_t kLexerPureBasic = 67;
inline constexpr std::uint16_t kLexerHaskell = 68;
inline constexpr std::uint16_t kLexerRebol = 71;
inline constexpr std::uint16_t kLexerSmalltalk = 72;
inline constexpr std::uint16_t kLexerCsound = 74;
inline constexpr std::uint16_t kLexerFreeBasic = 75;
inline constexpr std::uint16_t kLexerInno = 76;
inline constexpr std::uint16_t kLexerSpice = 78;
inline constexpr std::uint16_t kLexerD = 79;
inline constexpr std::uint16_t kLexerCmake = 80;
inline constexpr std::uint16_t kLexerR = 86;
inline constexpr std::uint16_t kLexerPowerShell = 88;
inline constexpr std::uint16_t kLexerCobol = 92;
inline constexpr std::uint16_t kLexerNimrod = 96;
inline constexpr std::uint16_t kLexerTxt2tags = 99;
inline constexpr std::uint16_t kLexerCoffeeScript = 102;
inline constexpr std::uint16_t kLexerAviSynth = 104;
inline constexpr std::uint16_t kLexerOScript = 106;
inline constexpr std::uint16_t kLexerVisualProlog = 107;
inline constexpr std::uint16_t kLexerRust = 111;
inline constexpr std::uint16_t kLexerRegistry = 115;
inline constexpr std::uint16_t kLexerSrec = 117;
inline constexpr std::uint16_t kLexerIhex = 118;
inline constexpr std::uint16_t kLexerTehex = 119;
inline constexpr std::uint16_t kLexerJson = 120;
inline constexpr std::uint16_t kLexerCueSheet = 122;

// The name to create the lexer by (Lexilla's CreateLexer); empty for a number that no
// catalogue entry uses.
std::string_view LexerName(std::uint16_t lexerNumber);

}  // namespace kelpo
