// The program's own lexer for CUE sheets (the track layout files beside disc images):
// colouring and folding, created by the name "cuesheet".
#pragma once

#include "ILexer.h"

namespace kelpo {

inline constexpr const char* kCueSheetLexerName = "cuesheet";

// Styles the lexer gives. The theme's "cuesheet" group describes the same numbers.
enum CueSheetStyle : int {
    // White space, and words of no other class: unquoted titles, ISRC codes, unknown commands.
    kCueDefault = 0,
    // A line whose first word is REM, from REM to the end of the line.
    kCueComment = 1,
    // The first word of a line when keyword set 0 holds it (compared without regard to case).
    kCueCommand = 2,
    // Double-quoted text; a quote left open ends at the end of its line.
    kCueString = 3,
    // A word of digits and colons that starts with a digit: track and index numbers,
    // catalogue numbers and mm:ss:ff times.
    kCueNumber = 4,
    // A file type (WAVE, MP3, BINARY ...), track mode (AUDIO, MODE1/2352 ...) or track flag
    // (DCP, 4CH, PRE, SCMS) after a FILE, TRACK or FLAGS command. The format fixes these
    // words, so the lexer knows them itself instead of taking a keyword set.
    kCueType = 5,
};
inline constexpr int kCueSheetStyleCount = 6;

// Keyword set 0: the commands. Property "fold" = "1" switches folding on: a FILE line opens
// a block that the next FILE line closes, and a TRACK line opens a block one level deeper
// that the next TRACK or FILE line closes (FILE at SC_FOLDLEVELBASE, TRACK one above it).
//
// The lexer reports the catalogue's cue-sheet lexer number from GetIdentifier(), so
// SCI_GETLEXER gives that number for a view that uses it. The caller owns the result until
// it is handed to the editing component with SCI_SETILEXER; otherwise it must Release() it.
Scintilla::ILexer5* CreateCueSheetLexer();

}  // namespace kelpo
