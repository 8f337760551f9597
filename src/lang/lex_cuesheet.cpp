// The CUE sheet lexer: a line is a command word and its arguments, so every line is lexed
// afresh from its start, and the FILE and TRACK commands give the fold structure.
#include "lang/lex_cuesheet.h"

#include <cassert>
#include <map>
#include <string>
#include <string_view>

#include "Scintilla.h"
// Lexilla's lexlib headers are not self-contained; this order satisfies each of them.
#include "WordList.h"
#include "LexAccessor.h"
#include "StyleContext.h"
#include "CharacterSet.h"
#include "OptionSet.h"
#include "DefaultLexer.h"

#include "lang/lexer_names.h"

namespace kelpo {
namespace {

using Lexilla::LexAccessor;
using Lexilla::StyleContext;
using Lexilla::WordList;

// Lower case, like the words the lexer compares them with.
constexpr const char* kCueTypeWords =
    "aiff binary motorola mp3 wave "
    "audio cdg cdi/2336 cdi/2352 mode1/2048 mode1/2352 mode2/2048 mode2/2324 mode2/2336 "
    "mode2/2352 "
    "4ch dcp pre scms";

constexpr const char* const kWordListDescriptions[] = {"Commands", nullptr};

const Lexilla::LexicalClass kLexicalClasses[kCueSheetStyleCount] = {
    {kCueDefault, "SCE_CUE_DEFAULT", "default", "White space and plain words"},
    {kCueComment, "SCE_CUE_COMMENT", "comment", "REM lines"},
    {kCueCommand, "SCE_CUE_COMMAND", "keyword", "Commands"},
    {kCueString, "SCE_CUE_STRING", "literal string", "Double-quoted text"},
    {kCueNumber, "SCE_CUE_NUMBER", "literal numeric", "Numbers and mm:ss:ff times"},
    {kCueType, "SCE_CUE_TYPE", "keyword", "File types, track modes and flags"},
};

struct CueSheetOptions {
    bool fold = false;
};

struct CueSheetOptionSet : public Lexilla::OptionSet<CueSheetOptions> {
    CueSheetOptionSet() {
        DefineProperty("fold", &CueSheetOptions::fold);
        DefineWordListSets(kWordListDescriptions);
    }
};

std::string AsciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& ch : lowered) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return lowered;
}

bool EndsWord(int ch) { return Lexilla::IsASpace(ch) || ch == '"'; }

// What a line opens in the fold structure, from its first word.
enum class LineKind { kOther, kFile, kTrack };

LineKind KindOfLine(LexAccessor& styler, Sci_Position line) {
    Sci_Position pos = styler.LineStart(line);
    const Sci_Position end = styler.LineEnd(line);
    while (pos < end && Lexilla::IsASpaceOrTab(styler.SafeGetCharAt(pos))) ++pos;
    std::string word;
    while (pos < end && word.size() < 6 && !EndsWord(styler.SafeGetCharAt(pos))) {
        word += styler.SafeGetCharAt(pos);
        ++pos;
    }
    if (pos < end && !EndsWord(styler.SafeGetCharAt(pos))) return LineKind::kOther;
    word = AsciiLowered(word);
    if (word == "file") return LineKind::kFile;
    if (word == "track") return LineKind::kTrack;
    return LineKind::kOther;
}

// Fold depth of a line's own level and of the lines that follow it, counted from
// SC_FOLDLEVELBASE.
int OwnDepth(LineKind kind, int depth) {
    switch (kind) {
        case LineKind::kFile: return 0;
        case LineKind::kTrack: return 1;
        case LineKind::kOther: break;
    }
    return depth;
}

int DepthAfter(LineKind kind, int depth) { return OwnDepth(kind, depth) + (kind == LineKind::kOther ? 0 : 1); }

class LexerCueSheet final : public Lexilla::DefaultLexer {
public:
    LexerCueSheet()
        : DefaultLexer(kCueSheetLexerName, kLexerCueSheet, kLexicalClasses, kCueSheetStyleCount) {
        types_.Set(kCueTypeWords);
    }

    const char* SCI_METHOD PropertyNames() override { return optionSet_.PropertyNames(); }
    int SCI_METHOD PropertyType(const char* name) override { return optionSet_.PropertyType(name); }
    const char* SCI_METHOD DescribeProperty(const char* name) override {
        return optionSet_.DescribeProperty(name);
    }
    Sci_Position SCI_METHOD PropertySet(const char* key, const char* value) override {
        return optionSet_.PropertySet(&options_, key, value) ? 0 : -1;
    }
    const char* SCI_METHOD PropertyGet(const char* key) override { return optionSet_.PropertyGet(key); }
    const char* SCI_METHOD DescribeWordListSets() override { return optionSet_.DescribeWordListSets(); }

    Sci_Position SCI_METHOD WordListSet(int set, const char* words) override {
        if (set != 0 || words == nullptr) return -1;
        return commands_.Set(AsciiLowered(words).c_str()) ? 0 : -1;
    }

    void SCI_METHOD Lex(Sci_PositionU startPos, Sci_Position length, int initStyle,
                        Scintilla::IDocument* access) override;
    void SCI_METHOD Fold(Sci_PositionU startPos, Sci_Position length, int initStyle,
                         Scintilla::IDocument* access) override;

private:
    int WordStyle(const char* lowered, bool firstOnLine, bool typesAllowed, bool looksNumeric) const;

    WordList commands_;
    WordList types_;
    CueSheetOptions options_;
    CueSheetOptionSet optionSet_;
};

int LexerCueSheet::WordStyle(const char* lowered, bool firstOnLine, bool typesAllowed,
                             bool looksNumeric) const {
    if (firstOnLine) {
        // REM makes a comment even with an empty command list: it decides what the rest
        // of the line is, not only how the word looks.
        if (std::string_view(lowered) == "rem") return kCueComment;
        if (commands_.InList(lowered)) return kCueCommand;
    }
    if (looksNumeric) return kCueNumber;
    if (typesAllowed && types_.InList(lowered)) return kCueType;
    return kCueDefault;
}

void SCI_METHOD LexerCueSheet::Lex(Sci_PositionU startPos, Sci_Position length, int /*initStyle*/,
                                   Scintilla::IDocument* access) {
    LexAccessor styler(access);
    // A word's class depends on its place in the line, so always start at a line start.
    const Sci_PositionU lineStart =
        static_cast<Sci_PositionU>(styler.LineStart(styler.GetLine(static_cast<Sci_Position>(startPos))));
    length += static_cast<Sci_Position>(startPos - lineStart);
    StyleContext sc(lineStart, static_cast<Sci_PositionU>(length), kCueDefault, styler);

    bool inWord = false;
    bool wordIsFirst = false;
    bool wordLooksNumeric = false;
    bool lineHasToken = false;
    bool typesAllowed = false;

    auto finishWord = [&] {
        char lowered[64];
        sc.GetCurrentLowered(lowered, sizeof lowered);
        const int style = WordStyle(lowered, wordIsFirst, typesAllowed, wordLooksNumeric);
        if (wordIsFirst) {
            const std::string_view command(lowered);
            typesAllowed = command == "file" || command == "track" || command == "flags";
        }
        inWord = false;
        sc.ChangeState(style);
        // A comment runs on to the end of the line.
        if (style != kCueComment) sc.SetState(kCueDefault);
    };

    for (; sc.More(); sc.Forward()) {
        if (sc.atLineStart) {
            if (sc.state != kCueDefault) sc.SetState(kCueDefault);
            inWord = false;
            lineHasToken = false;
            typesAllowed = false;
        }

        if (inWord) {
            if (EndsWord(sc.ch) || sc.atLineEnd) {
                finishWord();
            } else if (!(Lexilla::IsADigit(sc.ch) || sc.ch == ':')) {
                wordLooksNumeric = false;
            }
        } else if (sc.state == kCueString) {
            if (sc.ch == '"') {
                sc.ForwardSetState(kCueDefault);
            } else if (sc.ch == '\r' || sc.ch == '\n' || sc.atLineEnd) {
                sc.SetState(kCueDefault);
            }
        }

        if (sc.state == kCueDefault && !inWord && !Lexilla::IsASpace(sc.ch)) {
            sc.SetState(sc.ch == '"' ? kCueString : kCueDefault);
            if (sc.ch != '"') {
                inWord = true;
                wordIsFirst = !lineHasToken;
                wordLooksNumeric = Lexilla::IsADigit(sc.ch);
            }
            lineHasToken = true;
        }
    }
    // The last line of the document has no line end to finish its last word.
    if (inWord) finishWord();
    sc.Complete();
}

void SCI_METHOD LexerCueSheet::Fold(Sci_PositionU startPos, Sci_Position length, int /*initStyle*/,
                                    Scintilla::IDocument* access) {
    if (!options_.fold) return;
    LexAccessor styler(access);
    const Sci_Position lineCount = styler.GetLine(styler.Length()) + 1;
    const Sci_Position lastLine = styler.GetLine(static_cast<Sci_Position>(startPos) + length);
    // A line is a header only when the line after it is deeper, so an edit on one line can
    // change the line before it: start there.
    Sci_Position line = styler.GetLine(static_cast<Sci_Position>(startPos));
    if (line > 0) --line;

    int depth = 0;
    if (line > 0) {
        // The previous line's own kind, not its header flag: a FILE or TRACK with nothing
        // after it yet has no header flag but still sets the depth of what comes next.
        const LineKind previousKind = KindOfLine(styler, line - 1);
        const int previousLevel = (styler.LevelAt(line - 1) & SC_FOLDLEVELNUMBERMASK) - SC_FOLDLEVELBASE;
        depth = DepthAfter(previousKind, previousLevel < 0 ? 0 : previousLevel);
    }

    LineKind kind = KindOfLine(styler, line);
    for (; line <= lastLine; ++line) {
        const int ownDepth = OwnDepth(kind, depth);
        const int depthAfter = DepthAfter(kind, depth);
        int level = SC_FOLDLEVELBASE + ownDepth;
        LineKind nextKind = LineKind::kOther;
        if (line + 1 < lineCount) {
            nextKind = KindOfLine(styler, line + 1);
            if (OwnDepth(nextKind, depthAfter) > ownDepth) level |= SC_FOLDLEVELHEADERFLAG;
        }
        styler.SetLevel(line, level);
        depth = depthAfter;
        kind = nextKind;
    }
}

}  // namespace

Scintilla::ILexer5* CreateCueSheetLexer() { return new LexerCueSheet(); }

}  // namespace kelpo
