// The text that seeds find and other prompts: the selection, or the word at the caret.
#include "lang/selection_text.h"

#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

TEST(SelectionOrWordAtCaret, SelectionWithinOneLine) {
    auto view = viewtest::NewViewWithText("alpha beta\xC3\xA9 gamma\nsecond line\n");
    ASSERT_TRUE(view);
    view->Call(SCI_SETSEL, 6, 12);  // "betaé" (é is two bytes)
    EXPECT_EQ(SelectionOrWordAtCaret(*view), std::wstring(L"beta\u00E9"));
    view->Call(SCI_SETSEL, 0, 3);
    EXPECT_EQ(SelectionOrWordAtCaret(*view), std::wstring(L"alp"));
    // Across a line end: nothing.
    view->Call(SCI_SETSEL, 14, 22);
    EXPECT_FALSE(SelectionOrWordAtCaret(*view).has_value());
    // The selection must be shorter than the capacity.
    view->Call(SCI_SETSEL, 0, 5);
    EXPECT_FALSE(SelectionOrWordAtCaret(*view, 5).has_value());
    EXPECT_EQ(SelectionOrWordAtCaret(*view, 6), std::wstring(L"alpha"));
}

TEST(SelectionOrWordAtCaret, WordAroundTheCaret) {
    auto view = viewtest::NewViewWithText("call my_func(x); \n");
    ASSERT_TRUE(view);
    view->Call(SCI_GOTOPOS, 8);  // inside my_func
    EXPECT_EQ(SelectionOrWordAtCaret(*view), std::wstring(L"my_func"));
    view->Call(SCI_GOTOPOS, 12);  // right after it
    EXPECT_EQ(SelectionOrWordAtCaret(*view), std::wstring(L"my_func"));
    view->Call(SCI_GOTOPOS, 17);  // between blanks: no word
    EXPECT_FALSE(SelectionOrWordAtCaret(*view).has_value());
    view->Call(SCI_GOTOPOS, 8);
    EXPECT_FALSE(SelectionOrWordAtCaret(*view, 7).has_value());

    // Capacities above 512 are cut to 512.
    const std::string longWord(600, 'w');
    auto longView = viewtest::NewViewWithText(longWord);
    ASSERT_TRUE(longView);
    longView->Call(SCI_GOTOPOS, 10);
    EXPECT_FALSE(SelectionOrWordAtCaret(*longView, 1000).has_value());
    longView->Call(SCI_SETSEL, 0, 511);
    EXPECT_EQ(SelectionOrWordAtCaret(*longView, 1000), std::wstring(511, L'w'));
}

}  // namespace
}  // namespace kelpo
