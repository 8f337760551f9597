// The text side of the line-based edit commands: blank and duplicate line removal, reversing
// and sorting lines, tab conversion and comment toggling, computed on the UTF-8 text of a range.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_encoding.h"

namespace kelpo {

// The text a command works on is that of whole lines: from the start of its first line to the
// start of the line after its last one, or to the end of the document. Every line ends with
// CR LF, a lone CR or a lone LF, except that the text may end inside a last line that has no
// line end. Text that ends with a line end has no further, empty line: a document ending with a
// line end keeps it at its end through every command here.
struct TextLine {
    std::size_t start = 0;     // offset of the line's first byte in the text
    std::string_view content;  // without the line end
    std::string_view end;      // "\r\n", "\r", "\n" or empty for an unterminated last line
};
std::vector<TextLine> SplitLines(std::string_view text);

std::string_view LineEndText(LineEndMode mode);

// One replacement of [offset, offset + length) of the original text. A list of edits is sorted
// by offset and the edits do not overlap; apply them from the last to the first so that each
// offset still points into unchanged text. Deleting and inserting rather than replacing whole
// ranges leaves the markers and folds of untouched lines where they are.
struct TextEdit {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string text;
    friend bool operator==(const TextEdit&, const TextEdit&) = default;
};
std::string ApplyTextEdits(std::string_view text, std::span<const TextEdit> edits);

// Where each line of the text goes when the edits, deletions only, are made one at a time: a
// deletion that starts in line L and takes k line ends joins lines L+1 .. L+k to L, and the
// editing component gathers their markers on L. Element i is the new index of line i; one more
// element stands for the line that follows the text.
std::vector<std::size_t> LinesAfterDeletions(std::string_view text, std::span<const TextEdit> edits);

// The lines a command works on, from the selection. An empty selection means the whole
// document. Otherwise the lines from the selection start's to the selection end's, leaving out
// the last one when the selection ends exactly at its start; with skipPartialFirstLine (blank
// line removal) a selection starting after its line's start begins one line further down.
struct SelectionLines {
    std::size_t start = 0;           // selection start, not after end
    std::size_t end = 0;
    std::size_t startLine = 0;
    std::size_t startLineStart = 0;  // position where startLine begins
    std::size_t endLine = 0;
    std::size_t endLineStart = 0;    // position where endLine begins
    std::size_t lineCount = 1;       // lines of the document
};
struct LineInterval {
    std::size_t first = 0;
    std::size_t last = 0;  // inclusive
    friend bool operator==(const LineInterval&, const LineInterval&) = default;
};
std::optional<LineInterval> CommandLines(const SelectionLines& selection, bool skipPartialFirstLine);

// Each run of empty lines loses all its lines, or all but its last with keepOne. A line is empty
// when it has no characters or, with blanksCountAsEmpty, blanks and tabs only.
std::vector<TextEdit> RemoveBlankLines(std::string_view text, bool keepOne, bool blanksCountAsEmpty);

// Every line that repeats an earlier non-empty line byte for byte goes, with the line break
// before it; empty lines are never compared. Fewer than two lines: nothing to do.
std::vector<TextEdit> RemoveDuplicateLines(std::string_view text);

// The lines last first, each with its own line end. An unterminated last line is given lineEnd
// and the line that then ends the text loses its own, so the text ends the way it did.
std::string ReverseLines(std::string_view text, std::string_view lineEnd);

// The sort dialog's options, Config2 bits 16-20 as option values 1, 2, 4, 8, 16:
//   1  ascending (the first radio button, set by default); without it the order is descending
//   2  unique: a line that compares equal to the line before it in the sorted order is dropped
//   4  ignore case
//   8  digit runs compare as numbers
//   16 ignore leading blanks and tabs when comparing (indented lines sort by their text)
// Ignoring case and numeric digits belong to the comparer (the system's string comparison
// with its flags); SortLines applies the direction, uniqueness and leading blanks itself.
struct SortOptions {
    bool ascending = true;
    bool unique = false;
    bool ignoreCase = false;
    bool digitsAsNumbers = false;
    bool ignoreLeadingBlanks = false;
};
inline constexpr unsigned kSortAscending = 1;
inline constexpr unsigned kSortUnique = 2;
inline constexpr unsigned kSortIgnoreCase = 4;
inline constexpr unsigned kSortDigitsAsNumbers = 8;
inline constexpr unsigned kSortIgnoreLeadingBlanks = 16;
SortOptions SortOptionsFromBits(unsigned options);

// Negative, zero or positive like the system comparison; must order consistently.
using LineComparer = std::function<int(std::u16string_view, std::u16string_view)>;
// Code unit by code unit, for hosts without a system comparison.
int CompareCodeUnits(std::u16string_view a, std::u16string_view b);

// Lines are compared in UTF-16 but keep their own bytes, so text that is not valid UTF-8 comes
// back unchanged. Equal lines keep their order. The lines are joined with lineEnd, and the result
// ends with lineEnd exactly when the text ended with a line end.
std::string SortLines(std::string_view text, const SortOptions& options, std::string_view lineEnd,
                      const LineComparer& compare);

// Columns for the tab conversions: every byte that does not continue a UTF-8 sequence is one
// column, CR and LF go back to column 0. The line count never changes, so bookmarks and folds
// can be put back on the same line numbers. caret is the position of the caret in the result:
// the bytes produced for the input before the old caret.
struct TabConversion {
    std::string text;
    std::size_t caret = 0;
    bool changed = false;
};
// Each tab becomes blanks up to the next multiple of tabWidth; no tab in the text: no change.
TabConversion TabsToSpaces(std::string_view text, int tabWidth, std::size_t caret);
// Blanks that reach a tab stop become a tab, except a lone blank just before a stop that is
// followed by anything but a blank or tab; blanks that stop short of the next stop stay. With
// leadingOnly a line is converted only up to its first character that is neither blank nor tab.
TabConversion SpacesToTabs(std::string_view text, int tabWidth, bool leadingOnly, std::size_t caret);

// ToggleLineComment over the text of its lines. Lines holding blanks and tabs only are left
// alone. The first other line decides: when it starts with the marker after its indentation,
// every line that does loses it; otherwise every line that does not receives it at the smallest
// indentation column of the lines (tabs counted to the next multiple of tabWidth).
enum class CommentChange { None, Added, Removed };
struct LineCommentEdits {
    std::vector<TextEdit> edits;
    CommentChange change = CommentChange::None;
};
LineCommentEdits ToggleLineComment(std::string_view text, std::string_view marker, int tabWidth);

// BlockComment: the markers around the selection. Edits are at document positions; the new
// selection covers the formerly selected text between the markers with the caret at the same
// end, and an empty selection ends right after the start marker. Nothing without both markers.
struct BlockCommentEdits {
    std::vector<TextEdit> edits;
    std::size_t anchor = 0;
    std::size_t caret = 0;
};
std::optional<BlockCommentEdits> BlockComment(std::size_t anchor, std::size_t caret, std::string_view startMarker,
                                              std::string_view endMarker);

}  // namespace kelpo
