// Commands that change many lines at once, run in the main window as a user runs them: the text
// they leave, one undo step that brings back the text and its bookmarks, and no report to the
// main window for each single change. Also where going to a line and column puts the caret.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "doc/document_entry.h"
#include "doc/documents.h"
#include "doc/format_menus.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::ViewText;

constexpr int kBookmarkMask = 1 << 1;

class BulkEditTest : public doc_test::MainWindowTest {
protected:
    Document& NewWithText(const std::string& text) {
        Document* document = NewDocument(nullptr);
        EXPECT_NE(document, nullptr);
        EditorView& view = *document->view;
        view.Call(SCI_SETEOLMODE, SC_EOL_LF);
        view.Call(SCI_SETTABWIDTH, 4);
        view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
        view.Call(SCI_EMPTYUNDOBUFFER);
        view.Call(SCI_GOTOPOS, 0);
        return *document;
    }

    void Command(int command) { ::SendMessageW(window_, WM_COMMAND, static_cast<WPARAM>(command), 0); }
};

std::vector<sptr_t> Bookmarks(const EditorView& view) {
    std::vector<sptr_t> lines;
    for (sptr_t line = view.Call(SCI_MARKERNEXT, 0, kBookmarkMask); line >= 0;
         line = view.Call(SCI_MARKERNEXT, line + 1, kBookmarkMask)) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(BulkEditTest, OneUndoStepBringsBackTextAndBookmarks) {
    struct Case {
        const char* name;
        int command;  // 0: line ends to CR LF through the status-bar menu's path
        std::string text;
        std::vector<sptr_t> bookmarks;
        std::string after;
        std::vector<sptr_t> bookmarksAfter;
    };
    const Case cases[] = {
        // A removed duplicate's bookmark goes to the line it joins, the one above.
        {"duplicates", 53, "b\na\nb\na\nc\n", {0, 2, 4}, "b\na\nc\n", {0, 1, 2}},
        {"duplicates, chain", 53, "x\nx\nx\ny\n", {2, 3}, "x\ny\n", {0, 1}},
        // Removed blank lines hand theirs to the line after them.
        {"empty lines, remove all", 52, "a\n\n\nb\n\nc\n", {1, 3, 5}, "a\nb\nc\n", {1, 2}},
        {"blank lines, keep one", 49, "a\n \n\t\nb\n", {0, 1, 3}, "a\n\t\nb\n", {0, 1, 2}},
        {"tabs to spaces", 59, "\ta\n\tb\n\tc\n", {1, 2}, "    a\n    b\n    c\n", {1, 2}},
        {"trim trailing blanks", 56, "a  \nb  \nc\n", {1}, "a\nb\nc\n", {1}},
        {"line ends", 0, "a\nb\nc\n", {1, 2}, "a\r\nb\r\nc\r\n", {1, 2}},
    };
    for (const Case& c : cases) {
        Document& document = NewWithText(c.text);
        EditorView& view = *document.view;
        for (const sptr_t line : c.bookmarks) {
            view.Call(SCI_MARKERADD, line, 1);
        }
        if (c.command == 0) {
            ChangeLineEnds(document, LineEndMode::CrLf);
        } else {
            Command(c.command);
        }
        EXPECT_EQ(ViewText(document), c.after) << c.name;
        EXPECT_EQ(Bookmarks(view), c.bookmarksAfter) << c.name;

        Command(31);
        EXPECT_EQ(ViewText(document), c.text) << c.name;
        EXPECT_EQ(Bookmarks(view), c.bookmarks) << c.name;
        EXPECT_EQ(view.Call(SCI_CANUNDO), 0) << c.name;

        Command(32);
        EXPECT_EQ(ViewText(document), c.after) << c.name;
        EXPECT_EQ(Bookmarks(view), c.bookmarksAfter) << c.name;
        view.Call(SCI_SETSAVEPOINT);
        CloseActiveTab();
    }
}

TEST_F(BulkEditTest, CaretAndSelectionMoveWithTheirText) {
    Document& document = NewWithText("k\nd\nk\nd\nlast\n");
    EditorView& view = *document.view;
    view.Call(SCI_GOTOPOS, 5);  // on the second "k", which goes
    Command(53);
    EXPECT_EQ(ViewText(document), "k\nd\nlast\n");
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), 3);  // the end of the line it joined

    Command(31);
    view.Call(SCI_SETSEL, 13, 0);  // everything, the caret at the start
    Command(53);
    EXPECT_EQ(view.Call(SCI_GETANCHOR), 9);
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), 0);

    // A read-only text keeps its lines, bookmarks and caret.
    Document& locked = NewWithText("k\nk\nk\n");
    EditorView& lockedView = *locked.view;
    lockedView.Call(SCI_MARKERADD, 2, 1);
    lockedView.Call(SCI_GOTOPOS, 4);
    lockedView.Call(SCI_SETREADONLY, 1);
    Command(53);
    EXPECT_EQ(ViewText(locked), "k\nk\nk\n");
    EXPECT_EQ(Bookmarks(lockedView), std::vector<sptr_t>{2});
    EXPECT_EQ(lockedView.Call(SCI_GETCURRENTPOS), 4);

    Document& blanks = NewWithText("a\n\n\n\nb c\n");
    EditorView& blankView = *blanks.view;
    blankView.Call(SCI_SETSEL, 0, blankView.Call(SCI_GETLENGTH));
    Command(51);
    EXPECT_EQ(ViewText(blanks), "a\nb c\n");
    EXPECT_EQ(blankView.Call(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(blankView.Call(SCI_GETSELECTIONEND), 6);
}

// Counts the modification notifications that reach the main window.
int g_modifiedNotifications = 0;

LRESULT CALLBACK CountModified(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(message->lParam)->code == SCN_MODIFIED) {
        ++g_modifiedNotifications;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(BulkEditTest, ChangesOfTheTextAreNotReportedOneByOne) {
    std::string text;
    for (int line = 0; line < 200; ++line) {
        text += "\tvalue  \n";
    }
    Document& document = NewWithText(text);
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountModified, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    g_modifiedNotifications = 0;
    for (const int command : {56, 58, 59, 31, 31, 31}) {
        Command(command);
    }
    ChangeLineEnds(document, LineEndMode::CrLf);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(ViewText(document).size(), text.size() + 200);
    // Plain text has no folds; only undoing the tab conversion reports its two marker steps.
    EXPECT_LE(g_modifiedNotifications, 2);
}

TEST_F(BulkEditTest, GoToLineColumnPlacesTheCaret) {
    struct Case {
        int line;
        int column;
        sptr_t caret;
    };
    // Columns as the component counts them: a tab reaches the next multiple of 4, "é" is one
    // column of two bytes. A column inside a tab or past the line's end stops after the tab or at
    // the line's end.
    const std::string text = "ab\tcd\n\xC3\xA9x\n\nlast";
    const Case cases[] = {
        {1, 1, 0},   {1, 0, 0},   {1, 3, 2},   {1, 4, 3},  {1, 5, 3},  {1, 6, 4},    {1, 99, 5},
        {2, 2, 8},   {2, 3, 9},   {3, 7, 10},  {4, 3, 13}, {9, 2, 12}, {0, 5, -1},
    };
    Document& document = NewWithText(text);
    EditorView& view = *document.view;
    for (const Case& c : cases) {
        view.Call(SCI_GOTOPOS, 1);
        GoToLineColumn(&document, c.line, c.column);
        EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), c.caret < 0 ? 1 : c.caret) << c.line << "," << c.column;
    }
    GoToLineColumn(&document, -1, 1);
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), static_cast<sptr_t>(text.size()));
}

}  // namespace
}  // namespace kelpo
