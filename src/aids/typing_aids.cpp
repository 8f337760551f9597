// Typing aids on a view: indentation by keeping or by rules, braces, selected-word marks, and the
// routing of typed characters to completion and call tips.
#include "aids/typing_aids.h"

#include <algorithm>
#include <string>
#include <vector>

#include "aids/call_tip_text.h"
#include "aids/completion.h"
#include "aids/indent_rules.h"
#include "lang/lexer_names.h"
#include "lang/view_notifications.h"

namespace kelpo {
namespace {

constexpr char kBraces[] = "[](){}";
constexpr int kMaxMarkedScreenLines = 400;

bool IsBrace(int c) { return c != 0 && std::string_view(kBraces).find(static_cast<char>(c)) != std::string_view::npos; }

int CharAt(const EditorView& view, sptr_t position) { return static_cast<int>(view.Call(SCI_GETCHARAT, position)) & 0xFF; }

int IndentationOf(const EditorView& view, sptr_t line) {
    return static_cast<int>(view.Call(SCI_GETLINEINDENTATION, line));
}

bool IsLineEnd(const EditorView& view, int ch) {
    return view.Call(SCI_GETEOLMODE) == SC_EOL_CR ? ch == '\r' : ch == '\n';
}

// Styles the text up to `position` when the component has not done so yet (it styles lazily, as
// text is shown), so that rules that look at styles see the lexer's.
void EnsureStyledTo(const EditorView& view, sptr_t position) {
    const sptr_t styledTo = view.Call(SCI_GETENDSTYLED);
    if (styledTo < position) {
        view.Call(SCI_COLOURISE, styledTo, position);
    }
}

// A line's text without its line end, with one style per character.
struct StyledLine {
    std::string text;
    std::vector<unsigned char> styles;
};

StyledLine ReadStyledLine(const EditorView& view, sptr_t line) {
    StyledLine styled;
    const sptr_t start = view.Call(SCI_POSITIONFROMLINE, line);
    const sptr_t end = view.Call(SCI_GETLINEENDPOSITION, line);
    if (end <= start) {
        return styled;
    }
    EnsureStyledTo(view, end);
    std::vector<char> cells(static_cast<std::size_t>(end - start) * 2 + 2);
    Sci_TextRangeFull range{{start, end}, cells.data()};
    view.Call(SCI_GETSTYLEDTEXTFULL, 0, reinterpret_cast<sptr_t>(&range));
    for (sptr_t i = 0; i < end - start; ++i) {
        styled.text += cells[static_cast<std::size_t>(i) * 2];
        styled.styles.push_back(static_cast<unsigned char>(cells[static_cast<std::size_t>(i) * 2 + 1]));
    }
    return styled;
}

LineIndentState StateOfLine(const EditorView& view, sptr_t line) {
    const StyledLine styled = ReadStyledLine(view, line);
    return IndentStateOf(styled.text, styled.styles, *view.Language());
}

// True when everything from the line's start to just before `selectionStart` is blanks and tabs.
bool OnlyBlanksBefore(const EditorView& view, sptr_t lineStart, sptr_t selectionStart) {
    for (sptr_t p = lineStart; p < selectionStart - 1; ++p) {
        const int c = CharAt(view, p);
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

bool IsSingleCharacterList(const IndentRule& rule, int ch = -1) {
    if (rule.words == nullptr || std::char_traits<char>::length(rule.words) != 1) {
        return false;
    }
    return ch < 0 || rule.words[0] == static_cast<char>(ch);
}

void KeepIndentation(EditorView& view, int ch) {
    if (!IsLineEnd(view, ch)) {
        return;
    }
    const sptr_t current = view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
    for (sptr_t line = current - 1; line >= 0; --line) {
        if (view.Call(SCI_GETLINEENDPOSITION, line) == view.Call(SCI_POSITIONFROMLINE, line)) {
            continue;  // empty lines are passed over
        }
        const int indentation = IndentationOf(view, line);
        if (indentation > 0) {
            SetLineIndentation(view, current, indentation);
        }
        return;
    }
}

void RuleIndentation(EditorView& view, int ch) {
    const LanguageDef& language = *view.Language();
    const sptr_t selectionStart = view.Call(SCI_GETSELECTIONSTART);
    const sptr_t current = view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
    const sptr_t lineStart = view.Call(SCI_POSITIONFROMLINE, current);
    const int size = static_cast<int>(view.Call(SCI_GETINDENT));
    int block = IndentOfBlock(view, current - 1);

    if (IsSingleCharacterList(language.blockEnd, ch)) {
        if (!language.indentClosing && OnlyBlanksBefore(view, lineStart, selectionStart)) {
            SetLineIndentation(view, current, block - size);
        }
        return;
    }
    if (!IsSingleCharacterList(language.blockEnd) && ch == ' ') {
        return;
    }
    if (IsSingleCharacterList(language.blockStart, ch)) {
        if (!language.indentOpening && current > 0 && StateOfLine(view, current - 1) == LineIndentState::KeywordStart &&
            OnlyBlanksBefore(view, lineStart, selectionStart)) {
            SetLineIndentation(view, current, block - size);
        }
        return;
    }
    if ((ch == '\r' || ch == '\n') && selectionStart == lineStart) {
        if (!language.indentClosing && !IsSingleCharacterList(language.blockEnd) && current > 0) {
            const StyledLine above = ReadStyledLine(view, current - 1);
            const auto parts = LinePartsInStyle(above.text, above.styles, language.blockEnd.style, 1);
            if (!parts.empty() && RuleMatchesPart(language.blockEnd.words, parts.front())) {
                SetLineIndentation(view, current - 1, IndentOfBlock(view, current - 2) - size);
                block = IndentOfBlock(view, current - 1);
            }
        }
        SetLineIndentation(view, current, block);
    }
}

// The position of a brace character beside the caret whose style is the language's brace style
// (any brace when that is 0), or -1; `after` tells whether it is the character at the caret.
sptr_t BraceBesideCaret(const EditorView& view, sptr_t caret, bool& after, bool& colonMode) {
    constexpr int styleMask = 0xFF;  // the component keeps a byte of style per character
    const int braceStyle = view.Language() != nullptr ? view.Language()->braceStyle : 0;
    const bool python = view.Call(SCI_GETLEXER) == kLexerPython;
    const auto isBraceAt = [&](sptr_t position) {
        const int c = CharAt(view, position);
        const int style = static_cast<int>(view.Call(SCI_GETSTYLEAT, position)) & styleMask;
        if (python && c == ':' && style == 10) {
            colonMode = true;
            return true;
        }
        return IsBrace(c) && (braceStyle == 0 || style == braceStyle);
    };
    after = false;
    colonMode = false;
    EnsureStyledTo(view, caret + 1);
    if (caret > 0 && view.Call(SCI_POSITIONBEFORE, caret) == caret - 1 && isBraceAt(caret - 1)) {
        return caret - 1;
    }
    if (view.Call(SCI_POSITIONAFTER, caret) == caret + 1 && isBraceAt(caret)) {
        after = true;
        return caret;
    }
    return -1;
}

}  // namespace

void OnCharAdded(EditorView& view, int ch) {
    if (view.Language() == nullptr) {
        return;
    }
    const LanguageDef& language = *view.Language();
    CompletionState& state = view.completion;
    const bool wordChar = ch > 0 && ch < 128 && IsCompletionWordChar(static_cast<char>(ch));
    if (language.lexer == kLexerCpp) {
        if (view.Call(SCI_GETSELECTIONEMPTY) == 0 || view.Call(SCI_GETCURRENTPOS) == 0) {
            return;
        }
        if (view.Call(SCI_CALLTIPACTIVE)) {
            if (ch == ')') {
                if (--state.parenDepth < 1) {
                    view.Call(SCI_CALLTIPCANCEL);
                } else {
                    StartCallTip(view);
                }
            } else if (ch == '(') {
                ++state.parenDepth;
                StartCallTip(view);
            } else {
                ContinueCallTip(view);
            }
            return;
        }
        if (view.Call(SCI_AUTOCACTIVE)) {
            if (ch == '(') {
                ++state.parenDepth;
                StartCallTip(view);
            } else if (ch == ')') {
                --state.parenDepth;
            } else if (wordChar) {
                if (state.openedByTyping) StartWordCompletion(view, true);
            } else {
                view.Call(SCI_AUTOCCANCEL);
            }
            return;
        }
        if (ch == '(') {
            state.parenDepth = 1;
            StartCallTip(view);
            return;
        }
        state.openedByTyping = false;
    }
    if (language.keepIndentation) {
        KeepIndentation(view, ch);
    } else if (language.ruleIndentation) {
        RuleIndentation(view, ch);
    }
    if (language.lexer == kLexerCpp && wordChar) {
        StartWordCompletion(view, true);
        state.openedByTyping = view.Call(SCI_AUTOCACTIVE) != 0;
    }
}

void OnUpdateUi(EditorView& view) {
    BraceHighlight(view);
    MarkSelectedWord(view);
}

int IndentOfBlock(EditorView& view, sptr_t line) {
    if (line < 0 || view.Language() == nullptr) {
        return 0;
    }
    const LanguageDef& language = *view.Language();
    const int size = static_cast<int>(view.Call(SCI_GETINDENT));
    int indent = IndentationOf(view, line);
    if (!HasBlockRules(language)) {
        return indent;
    }
    const sptr_t lowest = std::max<sptr_t>(0, line - language.statementLookback);
    for (sptr_t b = line; b >= lowest; --b) {
        const LineIndentState state = StateOfLine(view, b);
        if (state == LineIndentState::None) {
            continue;
        }
        indent = IndentationOf(view, b);
        if (state == LineIndentState::BlockStart && !language.indentOpening) {
            indent += size;
        } else if (state == LineIndentState::BlockEnd && language.indentClosing) {
            indent = std::max(0, indent - size);
        } else if (state == LineIndentState::KeywordStart && b == line) {
            indent += size;
        }
        break;
    }
    return indent;
}

void SetLineIndentation(EditorView& view, sptr_t line, int columns) {
    if (columns < 0) {
        return;
    }
    sptr_t anchor = view.Call(SCI_GETANCHOR);
    sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t before = view.Call(SCI_GETLINEINDENTPOSITION, line);
    view.Call(SCI_SETLINEINDENTATION, line, columns);
    const sptr_t after = view.Call(SCI_GETLINEINDENTPOSITION, line);
    const auto shift = [&](sptr_t& end) {
        if (end >= before) {
            end += after - before;
        } else if (end > after) {
            end = after;  // inside indentation that was removed
        }
    };
    shift(anchor);
    shift(caret);
    view.Call(SCI_SETSEL, anchor, caret);
}

void BraceHighlight(EditorView& view) {
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    sptr_t brace = -1;
    if (view.Call(SCI_GETLENGTH) > 0) {
        if (caret > 0 && IsBrace(CharAt(view, caret - 1))) {
            brace = caret - 1;
        } else if (IsBrace(CharAt(view, caret))) {
            brace = caret;
        }
    }
    const sptr_t partner = brace >= 0 ? view.Call(SCI_BRACEMATCH, brace, 0) : -1;
    if (brace >= 0 && partner < 0) {
        view.Call(SCI_BRACEBADLIGHT, brace);
        view.Call(SCI_SETHIGHLIGHTGUIDE, 0);
        return;
    }
    view.Call(SCI_BRACEHIGHLIGHT, brace, partner);
    if (brace >= 0 && view.Call(SCI_GETINDENTATIONGUIDES) != SC_IV_NONE) {
        const sptr_t column = std::min(view.Call(SCI_GETCOLUMN, brace), view.Call(SCI_GETCOLUMN, partner));
        view.Call(SCI_SETHIGHLIGHTGUIDE, column);
    }
}

void GoToMatchingBrace(EditorView& view, bool select) {
    if (view.Call(SCI_GETSELECTIONNCARETVIRTUALSPACE, view.Call(SCI_GETMAINSELECTION)) > 0) {
        return;
    }
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    bool after = false;
    bool colonMode = false;
    sptr_t brace = BraceBesideCaret(view, caret, after, colonMode);
    if (brace < 0) {
        return;
    }
    sptr_t partner = -1;
    if (colonMode) {
        const sptr_t line = view.Call(SCI_LINEFROMPOSITION, brace);
        const sptr_t last = view.Call(SCI_GETLASTCHILD, line, -1);
        partner = view.Call(SCI_GETLINEENDPOSITION, last);
    } else {
        partner = view.Call(SCI_BRACEMATCH, brace, 0);
    }
    if (partner < 0) {
        return;
    }
    const bool inside = (!after && partner > brace) || (after && partner < brace);
    if (inside) {
        (brace < partner ? brace : partner) += 1;
    } else {
        (brace > partner ? brace : partner) += 1;
    }
    const sptr_t partnerLine = view.Call(SCI_LINEFROMPOSITION, partner);
    ShowNeededLines(view, view.Call(SCI_POSITIONFROMLINE, partnerLine), 0);
    view.Call(SCI_SETSEL, select ? brace : partner, partner);
}

void MarkSelectedWord(EditorView& view) {
    const sptr_t length = view.Call(SCI_GETLENGTH);
    view.Call(SCI_SETINDICATORCURRENT, kSelectedWordIndicator);
    view.Call(SCI_INDICATORCLEARRANGE, 0, length);
    const sptr_t selStart = view.Call(SCI_GETSELECTIONSTART);
    const sptr_t selEnd = view.Call(SCI_GETSELECTIONEND);
    if (selStart == selEnd) {
        return;
    }
    std::string buffer(static_cast<std::size_t>(selEnd - selStart) + 1, '\0');
    Sci_TextRangeFull range{{selStart, selEnd}, buffer.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
    const std::string word(buffer.data(), static_cast<std::size_t>(selEnd - selStart));
    const char before = selStart > 0 ? static_cast<char>(CharAt(view, selStart - 1)) : 0;
    const char after = selEnd < length ? static_cast<char>(CharAt(view, selEnd)) : 0;
    if (!IsMarkableWord(word, before, after)) {
        return;
    }
    const sptr_t targetStart = view.Call(SCI_GETTARGETSTART);
    const sptr_t targetEnd = view.Call(SCI_GETTARGETEND);
    // Whole words of the same case, whatever the last search asked for: a regular expression or a
    // search for parts of words left in the flags would mark parts of longer words.
    const sptr_t searchFlags = view.Call(SCI_GETSEARCHFLAGS);
    view.SetSearchFlags(SCFIND_MATCHCASE | SCFIND_WHOLEWORD);
    const sptr_t firstScreenLine = view.Call(SCI_GETFIRSTVISIBLELINE);
    const sptr_t screenLines = std::min<sptr_t>(view.Call(SCI_LINESONSCREEN), kMaxMarkedScreenLines);
    sptr_t lastLine = -1;
    for (sptr_t screenLine = firstScreenLine; screenLine <= firstScreenLine + screenLines; ++screenLine) {
        const sptr_t line = view.Call(SCI_DOCLINEFROMVISIBLE, screenLine);
        if (line == lastLine) {
            continue;  // a wrapped line takes several screen lines
        }
        lastLine = line;
        const sptr_t lineStart = view.Call(SCI_POSITIONFROMLINE, line);
        sptr_t lineEnd = view.Call(SCI_POSITIONFROMLINE, line + 1);
        if (lineEnd <= lineStart) {
            lineEnd = length;
        }
        for (sptr_t from = lineStart; from < lineEnd;) {
            view.SetTarget(from, lineEnd);
            const sptr_t hit = view.SearchInTarget(word);
            if (hit < 0) {
                break;
            }
            const sptr_t hitEnd = view.Call(SCI_GETTARGETEND);
            if (hit != selStart) {
                view.Call(SCI_INDICATORFILLRANGE, hit, hitEnd - hit);
            }
            from = std::max(hitEnd, hit + 1);
        }
        if (lineEnd >= length) {
            break;
        }
    }
    view.SetTarget(targetStart, targetEnd);
    view.SetSearchFlags(static_cast<int>(searchFlags));
}

}  // namespace kelpo
