// Tests of the editor view's edit commands against a real window of the editing component.
#include "lang/edit_commands.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "Scintilla.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "lang/language_catalogue.h"
#include "lang/regex_replace.h"
#include "lang/sort_dialog.h"
#include "lang/view_language.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

std::unique_ptr<EditorView> ViewWith(std::string_view text) {
    std::unique_ptr<EditorView> view = viewtest::NewViewWithText(text);
    if (view) {
        view->Call(SCI_SETEOLMODE, SC_EOL_LF);
        view->Call(SCI_SETTABWIDTH, 4);
        view->Call(SCI_GOTOPOS, 0);
        view->Call(SCI_EMPTYUNDOBUFFER);
    }
    return view;
}

std::string AfterCommand(std::string_view text, int command) {
    std::unique_ptr<EditorView> view = ViewWith(text);
    if (!view) return "<no view>";
    EXPECT_TRUE(ExecuteEditCommand(*view, command));
    return view->Text();
}

sptr_t CaretLine(const EditorView& view) { return view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS)); }

void SelectLines(EditorView& view, sptr_t first, sptr_t lineAfterLast) {
    view.Call(SCI_SETSEL, view.Call(SCI_POSITIONFROMLINE, first), view.Call(SCI_POSITIONFROMLINE, lineAfterLast));
}

TEST(EditCommands, IdentifiersOutsideTheTableAreNotHandled) {
    std::unique_ptr<EditorView> view = ViewWith("abc\n");
    ASSERT_TRUE(view);
    for (const int command : {0, 30, 38, 48, 54, 72, 99, 111, 121, 131, 150, 159, 300}) {
        EXPECT_FALSE(ExecuteEditCommand(*view, command)) << command;
    }
    EXPECT_EQ(view->Text(), "abc\n");
    EXPECT_TRUE(ExecuteEditCommand(*view, 37));
    EXPECT_EQ(view->Call(SCI_GETSELECTIONEND), 4);
}

TEST(EditCommands, ViewOptionTogglesFlipTheProgramWideSwitch) {
    viewtest::TempFolder folder;
    viewtest::ResetSettings(folder.Path());
    std::unique_ptr<EditorView> view = ViewWith("a b\n");
    ASSERT_TRUE(view);
    const bool shown = (App().settings.config1 & kC1WhiteSpace) != 0;
    ExecuteEditCommand(*view, 101);
    EXPECT_EQ((App().settings.config1 & kC1WhiteSpace) != 0, !shown);
    EXPECT_EQ(view->Call(SCI_GETVIEWWS), shown ? SCWS_INVISIBLE : SCWS_VISIBLEALWAYS);
    ExecuteEditCommand(*view, 104);
    EXPECT_EQ(view->Call(SCI_GETWRAPMODE), (App().settings.config1 & kC1WordWrap) ? SC_WRAP_WORD : SC_WRAP_NONE);
    ExecuteEditCommand(*view, 105);
    EXPECT_EQ(view->Call(SCI_GETZOOM), 1);
    ExecuteEditCommand(*view, 107);
    EXPECT_EQ(view->Call(SCI_GETZOOM), 0);
    viewtest::ResetSettings(folder.Path());
}

TEST(EditCommands, JoinSplitAndLineRequests) {
    std::unique_ptr<EditorView> view = ViewWith("a\nb\nc\n");
    ASSERT_TRUE(view);
    view->Call(SCI_SETSEL, 0, 3);
    ExecuteEditCommand(*view, 47);
    EXPECT_EQ(view->Text(), "a b\nc\n");
    view->Call(SCI_GOTOPOS, 0);
    ExecuteEditCommand(*view, 41);
    EXPECT_EQ(view->Text(), "c\n");
    ExecuteEditCommand(*view, 62);
    view->Call(SCI_SETSEL, 0, 1);
    ExecuteEditCommand(*view, 62);
    EXPECT_EQ(view->Text(), "C\n");
}

TEST(EditCommands, BlankLineRemovalVariants) {
    const std::string threeEmpty = "a\n\n\n\nb\n";
    EXPECT_EQ(AfterCommand(threeEmpty, 50), "a\n\nb\n");
    EXPECT_EQ(AfterCommand(threeEmpty, 52), "a\nb\n");
    // A line holding a tab is empty only for the commands that count blanks.
    const std::string withTab = "a\n\t\n\nb\n";
    EXPECT_EQ(AfterCommand(withTab, 49), "a\n\nb\n");
    EXPECT_EQ(AfterCommand(withTab, 51), "a\nb\n");
    EXPECT_EQ(AfterCommand(withTab, 50), withTab);
    EXPECT_EQ(AfterCommand(withTab, 52), "a\n\t\nb\n");

    // A selection that starts inside a line leaves that line's run alone.
    std::unique_ptr<EditorView> view = ViewWith("x\n\n\ny\n\n\nz\n");
    ASSERT_TRUE(view);
    view->Call(SCI_SETSEL, 5, view->Call(SCI_GETLENGTH));  // just after the "y"
    ExecuteEditCommand(*view, 52);
    EXPECT_EQ(view->Text(), "x\n\n\ny\nz\n");
}

TEST(EditCommands, DuplicateLinesKeepTheFirstOfEach) {
    EXPECT_EQ(AfterCommand("b\na\nb\na\nc\n", 53), "b\na\nc\n");
    EXPECT_EQ(AfterCommand("b\na\nb\na\nc", 53), "b\na\nc");
    EXPECT_EQ(AfterCommand("a\n\n\na\n", 53), "a\n\n\n");
}

TEST(EditCommands, TrimAndCompressBlanks) {
    EXPECT_EQ(AfterCommand("  a  \n\t b \n", 55), "a\n\t b\n");
    EXPECT_EQ(AfterCommand("  a  \n", 56), "  a\n");
    EXPECT_EQ(AfterCommand("  a  \n", 57), "a  \n");
    EXPECT_EQ(AfterCommand("a \t  b\tc  d\n", 58), "a b\tc d\n");

    std::unique_ptr<EditorView> view = ViewWith("a   b\nc   d\n");
    ASSERT_TRUE(view);
    view->Call(SCI_SETSEL, 0, 5);
    ExecuteEditCommand(*view, 58);
    EXPECT_EQ(view->Text(), "a b\nc   d\n");
}

TEST(EditCommands, ReplaceAllRegexCountsAndStopsOnEmptyMatches) {
    std::unique_ptr<EditorView> view = ViewWith("a\nb");
    ASSERT_TRUE(view);
    EXPECT_EQ(ReplaceAllRegex(*view, "^", "> ", {0, view->Call(SCI_GETLENGTH)}), 2);
    EXPECT_EQ(view->Text(), "> a\n> b");
    // Replaced text is not searched again, and a pattern that matches nothing still ends.
    EXPECT_EQ(ReplaceAllRegex(*view, "> ", "> > ", {0, view->Call(SCI_GETLENGTH)}), 2);
    EXPECT_EQ(view->Text(), "> > a\n> > b");
    EXPECT_EQ(ReplaceAllRegex(*view, "x*", "", {0, view->Call(SCI_GETLENGTH)}) >= 0, true);
    EXPECT_EQ(view->Text(), "> > a\n> > b");
    // Only hits inside the range count.
    EXPECT_EQ(ReplaceAllRegex(*view, "[ab]", "(\\0)", {0, 6}), 1);
    EXPECT_EQ(view->Text(), "> > (a)\n> > b");
}

TEST(EditCommands, TabConversionCountsColumnsAndKeepsBookmarks) {
    std::unique_ptr<EditorView> view = ViewWith("abc\tx\n\ty\n\xC3\xA9\tz\n");
    ASSERT_TRUE(view);
    view->Call(SCI_MARKERADD, 2, 1);
    view->Call(SCI_GOTOPOS, view->Call(SCI_POSITIONFROMLINE, 2));
    ExecuteEditCommand(*view, 59);
    EXPECT_EQ(view->Text(), "abc x\n    y\n\xC3\xA9   z\n");
    EXPECT_EQ(view->Call(SCI_MARKERNEXT, 0, 2), 2);
    EXPECT_EQ(view->Call(SCI_MARKERNEXT, 3, 2), -1);
    EXPECT_EQ(view->Call(SCI_GETCURRENTPOS), view->Call(SCI_POSITIONFROMLINE, 2));

    // No tab: nothing changes and nothing lands in the undo history.
    ExecuteEditCommand(*view, 59);
    view->Call(SCI_UNDO);
    EXPECT_EQ(view->Text(), "abc\tx\n\ty\n\xC3\xA9\tz\n");

    EXPECT_EQ(AfterCommand("        x  y\n", 60), "\t\tx  y\n");
    EXPECT_EQ(AfterCommand("    x       y\n", 61), "\tx       y\n");
}

TEST(EditCommands, LineCommentAtTheSmallestIndentationAndBack) {
    const std::string original = "    a\n        b\n    c\n";
    std::unique_ptr<EditorView> view = ViewWith(original);
    ASSERT_TRUE(view);
    view->SetLanguageId(kLangCpp);
    SelectLines(*view, 0, 3);
    ExecuteEditCommand(*view, 66);
    EXPECT_EQ(view->Text(), "    //a\n    //    b\n    //c\n");
    EXPECT_EQ(view->Call(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(view->Call(SCI_GETSELECTIONEND), view->Call(SCI_GETLENGTH));
    ExecuteEditCommand(*view, 66);
    EXPECT_EQ(view->Text(), original);

    // The first line decides: it is commented, so only markers are removed.
    std::unique_ptr<EditorView> mixed = ViewWith("    //a\n    b\n");
    ASSERT_TRUE(mixed);
    mixed->SetLanguageId(kLangCpp);
    mixed->Call(SCI_SETSEL, 0, mixed->Call(SCI_GETLENGTH));
    ExecuteEditCommand(*mixed, 66);
    EXPECT_EQ(mixed->Text(), "    a\n    b\n");

    // Without a selection the caret's line alone; a language without a marker: nothing.
    std::unique_ptr<EditorView> single = ViewWith("a\nb\n");
    ASSERT_TRUE(single);
    single->SetLanguageId(kLangCpp);
    single->Call(SCI_GOTOPOS, 2);
    ExecuteEditCommand(*single, 66);
    EXPECT_EQ(single->Text(), "a\n//b\n");
    single->SetLanguageId(kLangText);
    ExecuteEditCommand(*single, 66);
    EXPECT_EQ(single->Text(), "a\n//b\n");
}

TEST(EditCommands, BlockCommentAroundTheSelection) {
    std::unique_ptr<EditorView> view = ViewWith("a bc d");
    ASSERT_TRUE(view);
    view->SetLanguageId(kLangCpp);
    view->Call(SCI_SETSEL, 4, 2);
    ExecuteEditCommand(*view, 67);
    EXPECT_EQ(view->Text(), "a /*bc*/ d");
    EXPECT_EQ(view->Call(SCI_GETANCHOR), 6);
    EXPECT_EQ(view->Call(SCI_GETCURRENTPOS), 4);

    view->Call(SCI_SETSELECTIONMODE, SC_SEL_RECTANGLE);
    ExecuteEditCommand(*view, 67);
    EXPECT_EQ(view->Text(), "a /*bc*/ d");
}

TEST(EditCommands, BookmarkNavigationWraps) {
    std::string text;
    for (int line = 0; line < 12; ++line) text += "line\n";
    std::unique_ptr<EditorView> view = ViewWith(text);
    ASSERT_TRUE(view);
    view->Call(SCI_GOTOLINE, 3);
    ExecuteEditCommand(*view, 155);
    view->Call(SCI_GOTOLINE, 10);
    ExecuteEditCommand(*view, 155);

    ExecuteEditCommand(*view, 156);
    EXPECT_EQ(CaretLine(*view), 3);
    ExecuteEditCommand(*view, 156);
    EXPECT_EQ(CaretLine(*view), 10);
    ExecuteEditCommand(*view, 157);
    EXPECT_EQ(CaretLine(*view), 3);
    ExecuteEditCommand(*view, 157);
    EXPECT_EQ(CaretLine(*view), 10);

    // Toggling again removes the bookmark; then only line 3 is left to go to.
    ExecuteEditCommand(*view, 155);
    view->Call(SCI_GOTOLINE, 0);
    ExecuteEditCommand(*view, 157);
    EXPECT_EQ(CaretLine(*view), 3);
    ExecuteEditCommand(*view, 158);
    view->Call(SCI_GOTOLINE, 5);
    ExecuteEditCommand(*view, 156);
    EXPECT_EQ(CaretLine(*view), 5);
    EXPECT_EQ(view->Call(SCI_MARKERNEXT, 0, 2), -1);
}

TEST(EditCommands, ReverseLinesKeepsTheFinalLineEnd) {
    EXPECT_EQ(AfterCommand("a\nb\nc\n", 71), "c\nb\na\n");
    EXPECT_EQ(AfterCommand("a\nb\nc", 71), "c\nb\na");

    std::unique_ptr<EditorView> view = ViewWith("a\nb\nc\nd\n");
    ASSERT_TRUE(view);
    SelectLines(*view, 1, 3);
    ExecuteEditCommand(*view, 71);
    EXPECT_EQ(view->Text(), "a\nc\nb\nd\n");
}

TEST(EditCommands, SortLinesWithOptions) {
    std::unique_ptr<EditorView> view = ViewWith("b\na\nb\nc\na\n");
    ASSERT_TRUE(view);
    SortLines(*view, 1 | 2);
    EXPECT_EQ(view->Text(), "a\nb\nc\n");
    view->Call(SCI_UNDO);
    EXPECT_EQ(view->Text(), "b\na\nb\nc\na\n");
    SortLines(*view, 0);
    EXPECT_EQ(view->Text(), "c\nb\nb\na\na\n");

    std::unique_ptr<EditorView> cased = ViewWith("B\nb\na");
    ASSERT_TRUE(cased);
    SortLines(*cased, 1 | 2 | 4);
    EXPECT_EQ(cased->Text(), "a\nB");

    std::unique_ptr<EditorView> numbers = ViewWith("a10\na9\n");
    ASSERT_TRUE(numbers);
    SortLines(*numbers, 1 | 8);
    EXPECT_EQ(numbers->Text(), "a9\na10\n");

    std::unique_ptr<EditorView> several = ViewWith("b\na\n");
    ASSERT_TRUE(several);
    several->Call(SCI_SETSELECTION, 0, 1);
    several->Call(SCI_ADDSELECTION, 2, 3);
    SortLines(*several, 1);
    EXPECT_EQ(several->Text(), "b\na\n");
}

// Runs inside the dialog's modal loop: ticks "Remove duplicate lines", picks descending, OK.
void CALLBACK AnswerSortDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowW(L"#32770", L"Sort Lines");
    if (dialog == nullptr) return;
    ::KillTimer(nullptr, timer);
    ::SendDlgItemMessageW(dialog, 1003, BM_CLICK, 0, 0);
    ::SendDlgItemMessageW(dialog, 1002, BM_CLICK, 0, 0);
    ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(EditCommands, SortDialogStoresItsOptionsInConfig2) {
    viewtest::TempFolder folder;
    viewtest::ResetSettings(folder.Path());
    ASSERT_EQ(GetBits(App().settings.config2, kC2SortOptionsShift, 5), 1u);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerSortDialog);
    ASSERT_NE(timer, 0u);
    EXPECT_TRUE(ShowSortDialog(nullptr));
    EXPECT_EQ(GetBits(App().settings.config2, kC2SortOptionsShift, 5), 2u);
    EXPECT_EQ(App().settings.config2 & ~(0x1Fu << kC2SortOptionsShift), kConfig2Default & ~(0x1Fu << kC2SortOptionsShift));
    EXPECT_EQ(::GetPrivateProfileIntW(L"Kelpo", L"Config2", 0, App().paths.settingsFile.c_str()),
              static_cast<UINT>(App().settings.config2));
    viewtest::ResetSettings(folder.Path());
}

TEST(EditCommands, OneUndoStepRestoresTheText) {
    const std::string original = "  b  \n\n\n\na\t\n b\n  b  \n";
    for (const int command : {49, 52, 53, 55, 58, 59, 71}) {
        std::unique_ptr<EditorView> view = ViewWith(original);
        ASSERT_TRUE(view);
        ExecuteEditCommand(*view, command);
        EXPECT_NE(view->Text(), original) << command;
        view->Call(SCI_UNDO);
        EXPECT_EQ(view->Text(), original) << command;
        EXPECT_EQ(view->Call(SCI_CANUNDO), 0) << command;
    }
}

TEST(EditCommands, FoldLevelsAndAll) {
    std::unique_ptr<EditorView> view = ViewWith("int f() {\n  if (x) {\n    y;\n  }\n}\nint g() {\n}\n");
    ASSERT_TRUE(view);
    ApplyLanguage(*view, kLangCpp);
    ExecuteEditCommand(*view, 113);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 0);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 1), 1);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 5), 0);
    ExecuteEditCommand(*view, 110);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 1);
    ExecuteEditCommand(*view, 114);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 1), 0);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 1);
    // The caret inside the inner block: the caret's level is that block's.
    ExecuteEditCommand(*view, 110);
    view->Call(SCI_GOTOLINE, 2);
    ExecuteEditCommand(*view, 112);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 1), 0);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 1);
    ExecuteEditCommand(*view, 109);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 0);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 5), 0);
    view->Call(SCI_GOTOLINE, 0);
    ExecuteEditCommand(*view, 108);
    EXPECT_EQ(view->Call(SCI_GETFOLDEXPANDED, 0), 1);
}

}  // namespace
}  // namespace kelpo
