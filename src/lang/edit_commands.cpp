// Dispatch of the editor view's command identifiers, and the text commands that read a range of
// lines, transform it as plain text and write the difference back as one undo action.
#include "lang/edit_commands.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "lang/editor_view.h"
#include "lang/fold_bookmark_commands.h"
#include "lang/language_catalogue.h"
#include "lang/line_transforms.h"
#include "lang/marker_history.h"
#include "lang/open_views.h"
#include "lang/regex_replace.h"
#include "lang/sort_dialog.h"
#include "lang/system_line_comparer.h"
#include "lang/view_setup.h"

namespace kelpo {
namespace {

constexpr int kFirstViewCommand = 31;
constexpr int kLastViewCommand = 158;

// Trimming touches blanks only, never tabs.
constexpr const char* kLeadingBlanks = "^[ ]+";
constexpr const char* kTrailingBlanks = "[ ]+$";
// A blank or tab followed by more blanks or tabs (the tabs are literal characters).
constexpr const char* kBlankRun = "[ \t][ \t]+";

class UndoAction {
public:
    explicit UndoAction(EditorView& view) : view_(view) { view_.Call(SCI_BEGINUNDOACTION); }
    ~UndoAction() { view_.Call(SCI_ENDUNDOACTION); }
    UndoAction(const UndoAction&) = delete;
    UndoAction& operator=(const UndoAction&) = delete;

private:
    EditorView& view_;
};

sptr_t DocumentLength(const EditorView& view) { return view.Call(SCI_GETLENGTH); }

// The start of a line, or the document's end for the line after the last.
sptr_t LineStartOrEnd(const EditorView& view, sptr_t line) {
    if (line >= view.Call(SCI_GETLINECOUNT)) {
        return DocumentLength(view);
    }
    return view.Call(SCI_POSITIONFROMLINE, line);
}

std::string RangeText(const EditorView& view, PositionRange range) {
    std::string text(static_cast<std::size_t>(range.end - range.start) + 1, '\0');
    Sci_TextRangeFull request{{range.start, range.end}, text.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&request));
    text.resize(static_cast<std::size_t>(range.end - range.start));
    return text;
}

bool HasSelection(const EditorView& view) {
    return view.Call(SCI_GETSELECTIONSTART) != view.Call(SCI_GETSELECTIONEND);
}

bool IsRectangular(const EditorView& view) { return view.Call(SCI_GETSELECTIONMODE) == SC_SEL_RECTANGLE; }

bool SeveralOrRectangular(const EditorView& view) {
    return view.Call(SCI_GETSELECTIONS) >= 2 || IsRectangular(view);
}

SelectionLines ReadSelectionLines(const EditorView& view) {
    SelectionLines selection;
    const sptr_t start = view.Call(SCI_GETSELECTIONSTART);
    const sptr_t end = view.Call(SCI_GETSELECTIONEND);
    const sptr_t startLine = view.Call(SCI_LINEFROMPOSITION, start);
    const sptr_t endLine = view.Call(SCI_LINEFROMPOSITION, end);
    selection.start = static_cast<std::size_t>(start);
    selection.end = static_cast<std::size_t>(end);
    selection.startLine = static_cast<std::size_t>(startLine);
    selection.startLineStart = static_cast<std::size_t>(view.Call(SCI_POSITIONFROMLINE, startLine));
    selection.endLine = static_cast<std::size_t>(endLine);
    selection.endLineStart = static_cast<std::size_t>(view.Call(SCI_POSITIONFROMLINE, endLine));
    selection.lineCount = static_cast<std::size_t>(view.Call(SCI_GETLINECOUNT));
    return selection;
}

PositionRange RangeOfLines(const EditorView& view, sptr_t first, sptr_t last) {
    return {LineStartOrEnd(view, first), LineStartOrEnd(view, last + 1)};
}

std::optional<PositionRange> CommandRange(const EditorView& view, bool skipPartialFirstLine) {
    const std::optional<LineInterval> lines = CommandLines(ReadSelectionLines(view), skipPartialFirstLine);
    if (!lines) {
        return std::nullopt;
    }
    return RangeOfLines(view, static_cast<sptr_t>(lines->first), static_cast<sptr_t>(lines->last));
}

void InsertAt(EditorView& view, sptr_t position, std::string_view text) {
    // Through the target, so text with NUL bytes goes in whole.
    view.SetTarget(position, position);
    view.ReplaceTarget(text, false);
}

void ReplaceRange(EditorView& view, PositionRange range, std::string_view text) {
    view.SetTarget(range.start, range.end);
    view.ReplaceTarget(text, false);
}

// Last edit first, so earlier offsets still point into unchanged text. Deleting and inserting
// rather than replacing leaves the markers of untouched lines in place.
void ApplyEdits(EditorView& view, sptr_t base, const std::vector<TextEdit>& edits) {
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        const auto position = base + static_cast<sptr_t>(edit->offset);
        if (edit->length > 0) {
            view.Call(SCI_DELETERANGE, position, static_cast<sptr_t>(edit->length));
        }
        if (!edit->text.empty()) {
            InsertAt(view, position, edit->text);
        }
    }
}

std::string_view ViewLineEnd(const EditorView& view) {
    return LineEndText(static_cast<LineEndMode>(view.Call(SCI_GETEOLMODE)));
}

const LanguageDef& LanguageOf(const EditorView& view) {
    return view.Language() != nullptr ? *view.Language() : LanguageAt(view.LanguageId());
}

// A document position moved as the deletions move it: one inside a deleted part goes to its start.
sptr_t PositionAfterDeletions(sptr_t position, sptr_t base, const std::vector<TextEdit>& edits) {
    sptr_t moved = position;
    for (const TextEdit& edit : edits) {
        const sptr_t start = base + static_cast<sptr_t>(edit.offset);
        const auto length = static_cast<sptr_t>(edit.length);
        if (position < start) {
            break;
        }
        moved -= std::min(position - start, length);
    }
    return moved;
}

// Whole lines deleted one at a time cost a redraw of the scroll bars each, which a large
// document cannot afford thousands of times; the part from the first deletion to the end of the
// last becomes one replacement instead. Markers, caret and selection end up where the deletions
// one at a time would have left them.
void DeleteAsOneReplacement(EditorView& view, PositionRange range, std::string_view text,
                            const std::vector<TextEdit>& edits) {
    if (edits.empty()) {
        return;
    }
    const std::size_t spanStart = edits.front().offset;
    const std::size_t spanEnd = edits.back().offset + edits.back().length;
    std::string kept;
    kept.reserve(spanEnd - spanStart);
    std::size_t copied = spanStart;
    for (const TextEdit& edit : edits) {
        kept.append(text.substr(copied, edit.offset - copied));
        copied = edit.offset + edit.length;
    }

    const std::vector<std::size_t> newLines = LinesAfterDeletions(text, edits);
    const sptr_t rangeLine = view.Call(SCI_LINEFROMPOSITION, range.start);
    const sptr_t firstLine = view.Call(SCI_LINEFROMPOSITION, range.start + static_cast<sptr_t>(spanStart));
    const sptr_t lastLine = view.Call(SCI_LINEFROMPOSITION, range.start + static_cast<sptr_t>(spanEnd));
    const auto newLineOf = [&](sptr_t line) {
        return rangeLine + static_cast<sptr_t>(newLines[static_cast<std::size_t>(line - rangeLine)]);
    };
    MarkerChange change;
    change.firstLine = firstLine;
    change.linesBefore = lastLine - firstLine + 1;
    change.linesAfter = newLineOf(lastLine) - firstLine + 1;
    change.before = MarkedLines(view, firstLine, change.linesBefore);
    for (const LineMarks& marked : change.before) {
        const sptr_t line = newLineOf(marked.line);
        if (!change.after.empty() && change.after.back().line == line) {
            change.after.back().mask |= marked.mask;
        } else {
            change.after.push_back({line, marked.mask});
        }
    }

    const bool single = view.Call(SCI_GETSELECTIONS) == 1;
    const sptr_t caret = PositionAfterDeletions(view.Call(SCI_GETCURRENTPOS), range.start, edits);
    const sptr_t anchor = PositionAfterDeletions(view.Call(SCI_GETANCHOR), range.start, edits);
    const sptr_t start = range.start + static_cast<sptr_t>(spanStart);
    const sptr_t end = range.start + static_cast<sptr_t>(spanEnd);
    if (ReplaceKeepingMarkers(view, start, end, kept, std::move(change)) && single) {
        view.Call(SCI_SETSELECTION, caret, anchor);
    }
}

void RemoveBlankLinesCommand(EditorView& view, bool keepOne, bool blanksCountAsEmpty) {
    const std::optional<PositionRange> range = CommandRange(view, true);
    if (range) {
        const std::string text = RangeText(view, *range);
        DeleteAsOneReplacement(view, *range, text, RemoveBlankLines(text, keepOne, blanksCountAsEmpty));
    }
}

void RemoveDuplicateLinesCommand(EditorView& view) {
    const std::optional<PositionRange> range = CommandRange(view, false);
    if (range) {
        const std::string text = RangeText(view, *range);
        DeleteAsOneReplacement(view, *range, text, RemoveDuplicateLines(text));
    }
}

void TrimBlanks(EditorView& view, bool leading, bool trailing) {
    UndoAction undo(view);
    if (leading) {
        ReplaceAllRegex(view, kLeadingBlanks, "", {0, DocumentLength(view)});
    }
    if (trailing) {
        ReplaceAllRegex(view, kTrailingBlanks, "", {0, DocumentLength(view)});
    }
}

void CompressBlanks(EditorView& view) {
    PositionRange range{0, DocumentLength(view)};
    if (HasSelection(view)) {
        range = {view.Call(SCI_GETSELECTIONSTART), view.Call(SCI_GETSELECTIONEND)};
    }
    ReplaceAllRegex(view, kBlankRun, " ", range);
}

enum class TabMode { TabsToSpaces, SpacesToTabs, LeadingSpacesToTabs };

std::vector<sptr_t> FoldedHeaders(const EditorView& view) {
    std::vector<sptr_t> lines;
    const sptr_t count = view.Call(SCI_GETLINECOUNT);
    for (sptr_t line = 0; line < count; ++line) {
        if ((view.Call(SCI_GETFOLDLEVEL, line) & SC_FOLDLEVELHEADERFLAG) != 0 &&
            view.Call(SCI_GETFOLDEXPANDED, line) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

void ConvertTabs(EditorView& view, TabMode mode) {
    const int tabWidth = static_cast<int>(view.Call(SCI_GETTABWIDTH));
    const std::vector<sptr_t> folded = FoldedHeaders(view);
    const std::string text = view.Text();
    const auto caret = static_cast<std::size_t>(view.Call(SCI_GETCURRENTPOS));
    const TabConversion converted = mode == TabMode::TabsToSpaces
                                        ? TabsToSpaces(text, tabWidth, caret)
                                        : SpacesToTabs(text, tabWidth, mode == TabMode::LeadingSpacesToTabs, caret);
    if (!converted.changed || converted.text == text) {
        return;
    }
    // The whole text through the target rather than SCI_SETTEXT, which would stop at a NUL byte
    // and lose the rest of the document. The line count is unchanged, so every marker goes back
    // on its own line number, after the change and after undoing it.
    MarkerChange change;
    change.linesBefore = change.linesAfter = view.Call(SCI_GETLINECOUNT);
    change.before = change.after = MarkedLines(view, 0, change.linesBefore);
    ReplaceKeepingMarkers(view, 0, DocumentLength(view), converted.text, std::move(change));
    view.Call(SCI_GOTOPOS, static_cast<sptr_t>(converted.caret));
    if (!folded.empty()) {
        view.Call(SCI_COLOURISE, 0, -1);
        for (const sptr_t line : folded) {
            view.Call(SCI_FOLDLINE, line, SC_FOLDACTION_CONTRACT);
        }
    }
}

void ToggleLineCommentCommand(EditorView& view) {
    const char* marker = LanguageOf(view).lineComment;
    if (!HasMarker(marker) || IsRectangular(view)) {
        return;
    }
    const sptr_t anchor = view.Call(SCI_GETANCHOR);
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t start = view.Call(SCI_GETSELECTIONSTART);
    const sptr_t end = view.Call(SCI_GETSELECTIONEND);
    const sptr_t firstLine = view.Call(SCI_LINEFROMPOSITION, start);
    sptr_t lastLine = view.Call(SCI_LINEFROMPOSITION, end);
    if (lastLine > firstLine && end == view.Call(SCI_POSITIONFROMLINE, lastLine)) {
        --lastLine;
    }
    const PositionRange range = RangeOfLines(view, firstLine, lastLine);
    const LineCommentEdits result =
        ToggleLineComment(RangeText(view, range), marker, static_cast<int>(view.Call(SCI_GETTABWIDTH)));
    if (result.edits.empty()) {
        return;
    }
    UndoAction undo(view);
    ApplyEdits(view, range.start, result.edits);
    if (start != end) {
        const sptr_t linesStart = LineStartOrEnd(view, firstLine);
        const sptr_t linesEnd = LineStartOrEnd(view, lastLine + 1);
        if (caret >= anchor) {
            view.Call(SCI_SETSEL, linesStart, linesEnd);
        } else {
            view.Call(SCI_SETSEL, linesEnd, linesStart);
        }
    }
}

void BlockCommentCommand(EditorView& view) {
    const LanguageDef& language = LanguageOf(view);
    if (!HasMarker(language.blockCommentStart) || !HasMarker(language.blockCommentEnd) || IsRectangular(view)) {
        return;
    }
    const std::optional<BlockCommentEdits> result =
        BlockComment(static_cast<std::size_t>(view.Call(SCI_GETANCHOR)),
                     static_cast<std::size_t>(view.Call(SCI_GETCURRENTPOS)), language.blockCommentStart,
                     language.blockCommentEnd);
    if (!result) {
        return;
    }
    UndoAction undo(view);
    ApplyEdits(view, 0, result->edits);
    view.Call(SCI_SETSEL, static_cast<sptr_t>(result->anchor), static_cast<sptr_t>(result->caret));
}

void ReplaceLinesWith(EditorView& view, PositionRange range, const std::string& before, const std::string& after) {
    if (after == before) {
        return;
    }
    UndoAction undo(view);
    ReplaceRange(view, range, after);
}

void ReverseLinesCommand(EditorView& view) {
    if (SeveralOrRectangular(view)) {
        return;
    }
    const std::optional<PositionRange> range = CommandRange(view, false);
    if (!range) {
        return;
    }
    const std::string text = RangeText(view, *range);
    ReplaceLinesWith(view, *range, text, ReverseLines(text, ViewLineEnd(view)));
}

void JoinOrSplitLines(EditorView& view, bool split) {
    view.Call(SCI_TARGETFROMSELECTION);
    if (split) {
        view.Call(SCI_LINESSPLIT, 0);
    } else {
        view.Call(SCI_LINESJOIN);
    }
}

// The view-option switches are program-wide: flip the setting, then show it in this view.
bool ToggleConfig1(std::uint32_t bit) {
    App().settings.config1 ^= bit;
    return (App().settings.config1 & bit) != 0;
}

void CheckToolbarButton(int command, bool pressed) {
    if (HWND toolbar = App().shell.mainToolbar; toolbar != nullptr) {
        ::SendMessageW(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(command), pressed ? TRUE : FALSE);
    }
}

void ToggleViewOption(EditorView& view, int command) {
    switch (command) {
    case 100:
        UpdateLineNumberMargin(view, ToggleConfig1(kC1LineNumbers));
        break;
    case 101:
        view.Call(SCI_SETVIEWWS, ToggleConfig1(kC1WhiteSpace) ? SCWS_VISIBLEALWAYS : SCWS_INVISIBLE);
        break;
    case 102: {
        const bool on = ToggleConfig1(kC1LineEnds);
        view.Call(SCI_SETVIEWEOL, on ? 1 : 0);
        CheckToolbarButton(command, on);
        break;
    }
    case 103:
        view.Call(SCI_SETINDENTATIONGUIDES, ToggleConfig1(kC1IndentGuides) ? SC_IV_LOOKBOTH : SC_IV_NONE);
        break;
    case 104: {
        const bool on = ToggleConfig1(kC1WordWrap);
        view.Call(SCI_SETWRAPMODE, on ? SC_WRAP_WORD : SC_WRAP_NONE);
        view.Call(SCI_SETWRAPVISUALFLAGS, SC_WRAPVISUALFLAG_END);
        CheckToolbarButton(command, on);
        break;
    }
    default:
        break;
    }
}

// Commands that are one request to the component, without arguments.
std::optional<unsigned> SingleRequestOf(int command) {
    switch (command) {
    case 31: return SCI_UNDO;
    case 32: return SCI_REDO;
    case 33: return SCI_CUT;
    case 34: return SCI_COPY;
    case 35: return SCI_PASTE;
    case 36: return SCI_CLEAR;
    case 37: return SCI_SELECTALL;
    case 39: return SCI_LINECUT;
    case 40: return SCI_LINECOPY;
    case 41: return SCI_LINEDELETE;
    case 42: return SCI_SELECTIONDUPLICATE;
    case 43: return SCI_LINETRANSPOSE;
    case 44: return SCI_MOVESELECTEDLINESUP;
    case 45: return SCI_MOVESELECTEDLINESDOWN;
    case 62: return SCI_UPPERCASE;
    case 63: return SCI_LOWERCASE;
    case 105: return SCI_ZOOMIN;
    case 106: return SCI_ZOOMOUT;
    default: return std::nullopt;
    }
}

bool ExecuteFoldCommand(EditorView& view, int command) {
    if (command == 108) {
        ToggleFoldAtCaret(view);
    } else if (command == 109 || command == 110) {
        FoldAll(view, command == 109);
    } else if (command == 112 || command == 122) {
        const int level = CaretFoldLevel(view);
        if (level >= 0) {
            FoldLevel(view, level, command == 112);
        }
    } else if (command >= 113 && command <= 120) {
        FoldLevel(view, command - 113, true);
    } else if (command >= 123 && command <= 130) {
        FoldLevel(view, command - 123, false);
    } else {
        return false;
    }
    return true;
}

bool ExecuteTextCommand(EditorView& view, int command) {
    switch (command) {
    case 46: JoinOrSplitLines(view, true); break;
    case 47: JoinOrSplitLines(view, false); break;
    case 49: RemoveBlankLinesCommand(view, true, true); break;
    case 50: RemoveBlankLinesCommand(view, true, false); break;
    case 51: RemoveBlankLinesCommand(view, false, true); break;
    case 52: RemoveBlankLinesCommand(view, false, false); break;
    case 53: RemoveDuplicateLinesCommand(view); break;
    case 55: TrimBlanks(view, true, true); break;
    case 56: TrimBlanks(view, false, true); break;
    case 57: TrimBlanks(view, true, false); break;
    case 58: CompressBlanks(view); break;
    case 59: ConvertTabs(view, TabMode::TabsToSpaces); break;
    case 60: ConvertTabs(view, TabMode::SpacesToTabs); break;
    case 61: ConvertTabs(view, TabMode::LeadingSpacesToTabs); break;
    case 66: ToggleLineCommentCommand(view); break;
    case 67: BlockCommentCommand(view); break;
    case 71: ReverseLinesCommand(view); break;
    default: return false;
    }
    return true;
}

}  // namespace

void SortLines(EditorView& view, unsigned options) {
    if (SeveralOrRectangular(view)) {
        return;
    }
    const std::optional<PositionRange> range = CommandRange(view, false);
    if (!range) {
        return;
    }
    const SortOptions sortOptions = SortOptionsFromBits(options);
    const std::string text = RangeText(view, *range);
    ReplaceLinesWith(view, *range, text,
                     kelpo::SortLines(text, sortOptions, ViewLineEnd(view), SystemLineComparer(sortOptions)));
}

bool ExecuteEditCommand(EditorView& view, int command) {
    if (command < kFirstViewCommand || command > kLastViewCommand) {
        return false;
    }
    if (const std::optional<unsigned> request = SingleRequestOf(command)) {
        view.Call(*request);
        return true;
    }
    if (ExecuteTextCommand(view, command) || ExecuteFoldCommand(view, command)) {
        return true;
    }
    switch (command) {
    case 100: case 101: case 102: case 103: case 104:
        ToggleViewOption(view, command);
        return true;
    case 107:
        view.Call(SCI_SETZOOM, 0);
        return true;
    case 155:
        ToggleBookmarkAtCaret(view);
        return true;
    case 156: case 157:
        GoToBookmark(view, command == 156);
        return true;
    case 158:
        view.Call(SCI_MARKERDELETEALL, kBookmarkMarkerNumber);
        return true;
    default:
        return false;
    }
}

bool HandleEditCommandForActiveView(int command) {
    EditorView* active = ActiveView();
    if (active == nullptr) {
        return false;
    }
    EditorView& view = *active;
    if (command == kCmdSortLinesDialog) {
        if (ShowSortDialog(App().mainWindow)) {
            SortLines(view, GetBits(App().settings.config2, kC2SortOptionsShift, 5));
        }
        return true;
    }
    return ExecuteEditCommand(view, command);
}

}  // namespace kelpo
