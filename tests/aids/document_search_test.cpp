// Searches in a document of the real main window: find with wrap both ways, replace of the
// selected match, replace all in its scopes, highlight, bookmark and list every match, and the
// commands from the keyboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "aids/document_search.h"
#include "aids/search_commands.h"
#include "aids/search_options.h"
#include "app/message_loop.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/go_to_dialog.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

class DocumentSearchTest : public test::MainWindowFixture {
protected:
    EditorView& NewView(const std::string& text) {
        Document* document = NewDocument(nullptr);
        EXPECT_NE(document, nullptr);
        document->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
        document->view->Call(SCI_GOTOPOS, 0);
        return *document->view;
    }

    static SearchRequest Request(const std::string& text, std::uint32_t options) {
        SearchRequest request;
        request.text = text;
        request.componentFlags = ComponentSearchFlags(options);
        request.wrap = (options & kSearchWrap) != 0;
        request.regex = (options & kSearchRegex) != 0;
        return request;
    }

    static std::pair<sptr_t, sptr_t> Selection(const EditorView& view) {
        return {view.Call(SCI_GETSELECTIONSTART), view.Call(SCI_GETSELECTIONEND)};
    }

    void Command(int command) { ::SendMessageW(window_, WM_COMMAND, command, 0); }

    // A key pressed in the active view, through the program's own message loop step.
    void PressKey(UINT key, bool control = false, bool shift = false) {
        BYTE state[256] = {};
        state[VK_CONTROL] = control ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG message{Tabs()->Active()->view->Window(), WM_KEYDOWN, key, 1, 0, {}};
        ProcessMessage(App(), message);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
    }
};

TEST_F(DocumentSearchTest, FindWrapsBothWaysOnlyWhenAsked) {
    EXPECT_EQ(ComponentSearchFlags(0xFFFFFFFF), SCFIND_MATCHCASE | SCFIND_WHOLEWORD | SCFIND_REGEXP);
    EXPECT_EQ(ComponentSearchFlags(kSearchWrap | kSearchEscapes | kSearchToPane2), 0);
    EditorView& view = NewView("cat dog cat\r\nbird cat\r\n");  // cats at 0, 8, 18
    const SearchRequest wrapping = Request("cat", kSearchWrap);
    std::vector<sptr_t> forward;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(FindAndSelect(view, wrapping, SearchDirection::Forward));
        forward.push_back(Selection(view).first);
    }
    EXPECT_EQ(forward, (std::vector<sptr_t>{0, 8, 18, 0}));
    std::vector<sptr_t> backward;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(FindAndSelect(view, wrapping, SearchDirection::Backward));
        backward.push_back(Selection(view).first);
    }
    EXPECT_EQ(backward, (std::vector<sptr_t>{18, 8, 0}));

    const SearchRequest plain = Request("cat", 0);
    EXPECT_FALSE(FindAndSelect(view, plain, SearchDirection::Backward));
    EXPECT_EQ(Selection(view), (std::pair<sptr_t, sptr_t>{0, 3})) << "not found leaves the selection";
    view.Call(SCI_SETSEL, 18, 21);
    EXPECT_FALSE(FindAndSelect(view, plain, SearchDirection::Forward));

    // Whole word and case.
    EditorView& words = NewView("Cat cat_ a cat.");
    ASSERT_TRUE(FindAndSelect(words, Request("cat", kSearchWholeWord | kSearchMatchCase), SearchDirection::Forward));
    EXPECT_EQ(Selection(words).first, 11);
}

TEST_F(DocumentSearchTest, ReplaceTakesTheSelectedMatchAndReplaceAllKeepsToItsScope) {
    EditorView& view = NewView("one two one two one");
    view.Call(SCI_SETSEL, 8, 11);  // the second "one", selected
    ASSERT_TRUE(ReplaceAndFindNext(view, Request("one", kSearchWrap), "1"));
    EXPECT_EQ(view.Text(), "one two 1 two one");
    EXPECT_EQ(Selection(view), (std::pair<sptr_t, sptr_t>{14, 17})) << "the next match is selected";

    // Regular expression with a tagged part, in the selection only.
    view.Call(SCI_SETSEL, 4, 13);
    EXPECT_EQ(ReplaceAll(view, Request("t\\(w\\)o", kSearchRegex), "[\\1]", true), 2);
    EXPECT_EQ(view.Text(), "one [w] 1 [w] one");
    EXPECT_EQ(Selection(view), (std::pair<sptr_t, sptr_t>{4, 13}));
    EXPECT_EQ(view.Call(SCI_CANUNDO), 1);
    view.Call(SCI_UNDO);
    EXPECT_EQ(view.Text(), "one two 1 two one") << "one undo step";

    // The whole document; a pattern that matches empty text ends.
    EXPECT_EQ(ReplaceAll(view, Request("one", 0), "three", false), 2);
    EXPECT_EQ(view.Text(), "three two 1 two three");
    EditorView& empty = NewView("ab\r\nc");
    // (the component's expressions find no empty match at a line's end)
    EXPECT_EQ(ReplaceAll(empty, Request("x*", kSearchRegex), "-", false), 3);
    EXPECT_EQ(empty.Text(), "-a-b\r\n-c");
    EXPECT_EQ(ReplaceAll(empty, Request("zzz", 0), "y", false), 0);
    empty.Call(SCI_SETREADONLY, 1);
    EXPECT_EQ(ReplaceAll(empty, Request("a", 0), "", false), 0) << "a read-only view changes nothing and ends";
    empty.Call(SCI_SETREADONLY, 0);
}

TEST_F(DocumentSearchTest, EveryMatchIsHighlightedBookmarkedAndListed) {
    EditorView& view = NewView("cat cat\r\nno\r\nthe cat\r\n");
    EXPECT_EQ(HighlightAll(view, Request("cat", 0)), 3);
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 4), 1);
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 3), 0);
    ClearHighlights(view);
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 4), 0);

    EXPECT_EQ(BookmarkAll(view, Request("cat", 0)), 3);
    EXPECT_EQ(view.Call(SCI_MARKERNEXT, 0, 1 << kBookmarkMarkerNumber), 0);
    EXPECT_EQ(view.Call(SCI_MARKERNEXT, 1, 1 << kBookmarkMarkerNumber), 2);

    const std::vector<MatchLine> lines = ListMatches(view, Request("cat", 0));
    ASSERT_EQ(lines.size(), 3u) << "a line with two matches is listed twice";
    EXPECT_EQ(lines[1].line, 0);
    EXPECT_EQ(lines[1].text, "cat cat");
    EXPECT_EQ(lines[2].line, 2);
}

TEST_F(DocumentSearchTest, TheCommandsWorkFromTheKeyboard) {
    EditorView& view = NewView("alpha beta alpha\r\ngamma alpha\r\n");
    App().settings.searchFlags = kSearchWrap;
    view.Call(SCI_GOTOPOS, 1);  // inside the first "alpha"
    PressKey(VK_F3, true);      // Ctrl+F3: the word at the caret, forward
    EXPECT_EQ(CurrentSearchTexts().find, L"alpha");
    EXPECT_EQ(Selection(view), (std::pair<sptr_t, sptr_t>{11, 16}));
    PressKey(VK_F3);  // F3
    EXPECT_EQ(Selection(view).first, 24);
    PressKey(VK_F3, false, true);  // Shift+F3
    EXPECT_EQ(Selection(view).first, 11);
    EXPECT_EQ(App().recent.find.At(0) != nullptr ? *App().recent.find.At(0) : L"", L"alpha");

    CurrentSearchTexts().find = L"omega";
    Command(kCmdFindNext);
    EXPECT_EQ(LastStatusMessage(), L"Not found, searching forward.");
    EXPECT_EQ(Selection(view).first, 11);

    view.Call(SCI_SETEMPTYSELECTION, 8);  // in "beta"
    PressKey('M', true);                  // Ctrl+M highlights the word
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 7), 1);
    PressKey('M', true, true);
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 7), 0);

    CurrentSearchTexts().find = std::wstring(300, L'x');
    Command(kCmdFindNext);
    EXPECT_NE(LastStatusMessage().find(L"too long"), std::wstring::npos);
}

// Fills the go-to dialog once it is up and presses OK.
void CALLBACK AnswerGoTo(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowW(L"#32770", L"Go To");
    if (dialog != nullptr) {
        ::KillTimer(nullptr, timer);
        ::SetDlgItemTextW(dialog, kGoToLineField, L"2");
        ::SetDlgItemTextW(dialog, kGoToColumnField, L"3");
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(DocumentSearchTest, CtrlGMovesTheCaretToTheLineAndColumn) {
    EditorView& view = NewView("first\r\nsecond\r\nthird\r\n");
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerGoTo);
    PressKey('G', true);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), 9);
}

}  // namespace
}  // namespace kelpo
