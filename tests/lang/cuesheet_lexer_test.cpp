// Tests of the CUE sheet lexer inside a real editing-component window: styles, folding and
// the lexer number the component reports.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Scintilla.h"
#include "lang/language_catalogue.h"
#include "lang/lex_cuesheet.h"
#include "lang/lexer_factory.h"
#include "lang/lexer_names.h"

namespace kelpo {
namespace {

constexpr int kBase = SC_FOLDLEVELBASE;
constexpr int kHeader = SC_FOLDLEVELHEADERFLAG;

bool EnsureScintillaClass() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (::GetClassInfoExW(instance, L"Scintilla", &info)) return true;
    return Scintilla_RegisterClasses(instance) != 0;
}

// A hidden editing-component window set up with the cue-sheet lexer as a view would be.
class CueSheetLexerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureScintillaClass());
        window_ = ::CreateWindowExW(0, L"Scintilla", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        Send(SCI_SETCODEPAGE, SC_CP_UTF8);
        Send(SCI_SETILEXER, 0, reinterpret_cast<sptr_t>(CreateLexerForNumber(kLexerCueSheet)));
        Send(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("fold"), reinterpret_cast<sptr_t>("1"));
        SetCommands(LanguageAt(kLangCueSheet).keywords[0]);
    }

    void TearDown() override {
        if (window_ != nullptr) ::DestroyWindow(window_);
    }

    sptr_t Send(unsigned message, uptr_t wParam = 0, sptr_t lParam = 0) const {
        return ::SendMessageW(window_, message, wParam, lParam);
    }

    void SetCommands(const char* words) {
        Send(SCI_SETKEYWORDS, 0, reinterpret_cast<sptr_t>(words));
    }

    void SetTextAndColourise(const std::vector<std::string>& lines, const char* lineEnd = "\n") {
        lines_ = lines;
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size()) text += lineEnd;
        }
        Send(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
        Send(SCI_COLOURISE, 0, -1);
    }

    // The style of the first character of `what` in line `line`.
    int StyleOf(int line, const std::string& what) const {
        const std::size_t column = lines_.at(static_cast<std::size_t>(line)).find(what);
        EXPECT_NE(column, std::string::npos) << what << " not in line " << line;
        return StyleAt(line, static_cast<int>(column));
    }

    int StyleAt(int line, int column) const {
        return static_cast<int>(Send(SCI_GETSTYLEAT, Send(SCI_POSITIONFROMLINE, line) + column));
    }

    // True when every character of `what` in line `line` has `style`.
    bool AllOfStyle(int line, const std::string& what, int style) const {
        const std::size_t column = lines_.at(static_cast<std::size_t>(line)).find(what);
        if (column == std::string::npos) return false;
        for (std::size_t i = 0; i < what.size(); ++i) {
            if (StyleAt(line, static_cast<int>(column + i)) != style) return false;
        }
        return true;
    }

    int FoldLevel(int line) const { return static_cast<int>(Send(SCI_GETFOLDLEVEL, line)); }

    HWND window_ = nullptr;
    std::vector<std::string> lines_;
};

const std::vector<std::string> kSheet = {
    "REM GENRE \"Rock\" 1999",              // 0
    "PERFORMER \"The Band\"",               // 1
    "title \"Album\"",                      // 2
    "FILE \"disc one.wav\" WAVE",           // 3
    "  TRACK 01 AUDIO",                     // 4
    "    TITLE Wave",                       // 5
    "    INDEX 01 00:00:00",                // 6
    "  TRACK 02 MODE1/2352",                // 7
    "    FLAGS DCP 4CH",                    // 8
    "    INDEX 01 03:14:70",                // 9
    "file \"two\" mp3",                     // 10
    "  TRACK 03 AUDIO",                     // 11
    "    ISRC USABC9900001",                // 12
    "    TITLE \"open quote",               // 13
    "    BOGUS 12 FILE",                    // 14
};

TEST_F(CueSheetLexerTest, ReportsTheCatalogueLexerNumberAndName) {
    EXPECT_EQ(Send(SCI_GETLEXER), 122);
    char name[32] = {};
    Send(SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<sptr_t>(name));
    EXPECT_STREQ(name, "cuesheet");
}

TEST_F(CueSheetLexerTest, StylesCommandsStringsNumbersAndTypes) {
    SetTextAndColourise(kSheet);

    // A REM line is a comment to its end, whatever it holds.
    EXPECT_TRUE(AllOfStyle(0, kSheet[0], kCueComment));

    EXPECT_TRUE(AllOfStyle(1, "PERFORMER", kCueCommand));
    EXPECT_EQ(StyleOf(1, " \""), kCueDefault);
    EXPECT_TRUE(AllOfStyle(1, "\"The Band\"", kCueString));
    EXPECT_TRUE(AllOfStyle(2, "title", kCueCommand)) << "commands are matched without regard to case";

    EXPECT_TRUE(AllOfStyle(3, "FILE", kCueCommand));
    EXPECT_TRUE(AllOfStyle(3, "\"disc one.wav\"", kCueString));
    EXPECT_TRUE(AllOfStyle(3, "WAVE", kCueType));
    EXPECT_TRUE(AllOfStyle(4, "TRACK", kCueCommand));
    EXPECT_TRUE(AllOfStyle(4, "01", kCueNumber));
    EXPECT_TRUE(AllOfStyle(4, "AUDIO", kCueType));
    EXPECT_EQ(StyleAt(4, 0), kCueDefault);

    // Type words count only after FILE, TRACK and FLAGS.
    EXPECT_TRUE(AllOfStyle(5, "Wave", kCueDefault));
    EXPECT_TRUE(AllOfStyle(6, "00:00:00", kCueNumber));
    EXPECT_TRUE(AllOfStyle(7, "MODE1/2352", kCueType));
    EXPECT_TRUE(AllOfStyle(8, "DCP", kCueType));
    EXPECT_TRUE(AllOfStyle(8, "4CH", kCueType)) << "a word starting with a digit is not always a number";
    EXPECT_TRUE(AllOfStyle(9, "03:14:70", kCueNumber));
    EXPECT_TRUE(AllOfStyle(10, "file", kCueCommand));
    EXPECT_TRUE(AllOfStyle(10, "mp3", kCueType));

    EXPECT_TRUE(AllOfStyle(12, "ISRC", kCueCommand));
    EXPECT_TRUE(AllOfStyle(12, "USABC9900001", kCueDefault));

    // An open quote ends with its line; the next line starts afresh.
    EXPECT_TRUE(AllOfStyle(13, "\"open quote", kCueString));
    EXPECT_EQ(StyleAt(13, static_cast<int>(kSheet[13].size())), kCueDefault);

    // An unknown command stays plain, and a command word later in a line is no command.
    EXPECT_TRUE(AllOfStyle(14, "BOGUS", kCueDefault));
    EXPECT_TRUE(AllOfStyle(14, "12", kCueNumber));
    EXPECT_TRUE(AllOfStyle(14, "FILE", kCueDefault));
}

TEST_F(CueSheetLexerTest, WordsNextToQuotesAndLineEndsAreSeparate) {
    SetTextAndColourise({"TITLE\"x\"12", "REM", "FILE \"a.bin\" BINARY", "TRACK 1 AUDIO"}, "\r\n");
    EXPECT_TRUE(AllOfStyle(0, "TITLE", kCueCommand));
    EXPECT_TRUE(AllOfStyle(0, "\"x\"", kCueString));
    EXPECT_TRUE(AllOfStyle(0, "12", kCueNumber));
    EXPECT_EQ(StyleAt(1, 0), kCueComment);
    // CR LF line ends do not join the word before them.
    EXPECT_TRUE(AllOfStyle(2, "BINARY", kCueType));
    EXPECT_EQ(StyleAt(2, static_cast<int>(lines_[2].size())), kCueDefault);
    // The last line has no line end to close its last word.
    EXPECT_TRUE(AllOfStyle(3, "AUDIO", kCueType));
}

TEST_F(CueSheetLexerTest, WithoutCommandListOnlyRemKeepsItsMeaning) {
    SetCommands("");
    SetTextAndColourise({"rem note", "TITLE \"x\"", "FILE \"a.wav\" WAVE"});
    EXPECT_TRUE(AllOfStyle(0, "rem note", kCueComment));
    EXPECT_TRUE(AllOfStyle(1, "TITLE", kCueDefault));
    EXPECT_TRUE(AllOfStyle(1, "\"x\"", kCueString));
    EXPECT_TRUE(AllOfStyle(2, "WAVE", kCueType));
    // Folding follows the format, not the command list.
    EXPECT_EQ(FoldLevel(2), kBase);
}

TEST_F(CueSheetLexerTest, FileAndTrackOpenNestedFoldBlocks) {
    SetTextAndColourise(kSheet);
    const std::vector<int> expected = {
        kBase, kBase, kBase,
        kBase | kHeader,                              // FILE
        (kBase + 1) | kHeader, kBase + 2, kBase + 2,  // TRACK 01 and its lines
        (kBase + 1) | kHeader, kBase + 2, kBase + 2,  // TRACK 02 closes TRACK 01
        kBase | kHeader,                              // the next FILE closes both
        (kBase + 1) | kHeader, kBase + 2, kBase + 2, kBase + 2,
    };
    for (std::size_t line = 0; line < expected.size(); ++line) {
        EXPECT_EQ(FoldLevel(static_cast<int>(line)), expected[line]) << "line " << line;
    }
}

TEST_F(CueSheetLexerTest, EmptyBlocksAreNoHeadersAndTrackWithoutFileStillNests) {
    SetTextAndColourise({"TRACK 01 AUDIO", "  INDEX 01 00:00:00", "FILE \"a.wav\" WAVE",
                         "FILE \"b.wav\" WAVE", "  TRACK 02 AUDIO", "  TRACK 03 AUDIO"});
    EXPECT_EQ(FoldLevel(0), (kBase + 1) | kHeader);
    EXPECT_EQ(FoldLevel(1), kBase + 2);
    EXPECT_EQ(FoldLevel(2), kBase) << "a FILE followed by a FILE has nothing to fold";
    EXPECT_EQ(FoldLevel(3), kBase | kHeader);
    EXPECT_EQ(FoldLevel(4), kBase + 1);
    EXPECT_EQ(FoldLevel(5), kBase + 1) << "the last line opens no block";
}

TEST_F(CueSheetLexerTest, RefoldingFromALaterLineKeepsTheStructure) {
    SetTextAndColourise({"FILE \"a.wav\" WAVE"});
    EXPECT_EQ(FoldLevel(0), kBase);

    // As when typing: a line is added and only the text from it onwards is lexed again.
    const std::string added = "\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00";
    const sptr_t oldLength = Send(SCI_GETLENGTH);
    Send(SCI_APPENDTEXT, added.size(), reinterpret_cast<sptr_t>(added.c_str()));
    Send(SCI_COLOURISE, static_cast<uptr_t>(oldLength + 1), -1);
    EXPECT_EQ(FoldLevel(0), kBase | kHeader);
    EXPECT_EQ(FoldLevel(1), (kBase + 1) | kHeader);
    EXPECT_EQ(FoldLevel(2), kBase + 2);

    const std::string more = "\n    TITLE \"x\"";
    const sptr_t length = Send(SCI_GETLENGTH);
    Send(SCI_APPENDTEXT, more.size(), reinterpret_cast<sptr_t>(more.c_str()));
    Send(SCI_COLOURISE, static_cast<uptr_t>(length + 1), -1);
    EXPECT_EQ(FoldLevel(3), kBase + 2);
    EXPECT_EQ(static_cast<int>(Send(SCI_GETSTYLEAT, length + 5)), kCueCommand);
}

TEST_F(CueSheetLexerTest, LongWordsAndOddBytesStayWithinTheLexersStyles) {
    const std::string longDigits(300, '7');
    const std::string longCommand = "TITLE" + std::string(300, 'x');
    SetTextAndColourise({longDigits + " 1", longCommand + " 2", "TRACK 01 \xC3\xA9t\xC3\xA9 AUDIO",
                         std::string("\x01\x7F\"\xFF\"\t\"\"\"", 9), "\"unclosed"});
    EXPECT_TRUE(AllOfStyle(0, longDigits, kCueNumber));
    EXPECT_EQ(StyleOf(0, " 1"), kCueDefault);
    EXPECT_TRUE(AllOfStyle(1, longCommand, kCueDefault)) << "a command word is matched whole";
    EXPECT_TRUE(AllOfStyle(1, "2", kCueNumber));
    EXPECT_TRUE(AllOfStyle(2, "\xC3\xA9t\xC3\xA9", kCueDefault));
    EXPECT_TRUE(AllOfStyle(2, "AUDIO", kCueType));
    EXPECT_TRUE(AllOfStyle(4, "\"unclosed", kCueString));
    const sptr_t length = Send(SCI_GETLENGTH);
    for (sptr_t pos = 0; pos < length; ++pos) {
        const int style = static_cast<int>(Send(SCI_GETSTYLEAT, static_cast<uptr_t>(pos)));
        EXPECT_TRUE(style >= 0 && style < kCueSheetStyleCount) << "position " << pos << " style " << style;
    }
}

TEST_F(CueSheetLexerTest, FoldingIsOffUnlessAskedFor) {
    Send(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("fold"), reinterpret_cast<sptr_t>("0"));
    SetTextAndColourise(kSheet);
    for (int line = 0; line < static_cast<int>(kSheet.size()); ++line) {
        EXPECT_EQ(FoldLevel(line), kBase) << "line " << line;
    }
}

}  // namespace
}  // namespace kelpo
