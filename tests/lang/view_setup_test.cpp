// The defaults of a new view, the view options and the line-number margin, against the real
// editing component.
#include "lang/view_setup.h"

#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "lang/theme_store.h"
#include "lang/view_notifications.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

class ViewSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
    }
    void TearDown() override { viewtest::ForgetLoadedTheme(); }

    viewtest::TempFolder folder_;
};

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i < count; ++i) text += "line\n";
    return text + "last";
}

TEST_F(ViewSetupTest, NewViewsGetTheFixedDefaults) {
    auto view = viewtest::NewBareView();
    ASSERT_TRUE(view);
    CreateDefaults(*view);
    EXPECT_FALSE(view->Call(SCI_GETUNDOCOLLECTION));  // the loader switches it on
    EXPECT_EQ(view->Call(SCI_GETCODEPAGE), SC_CP_UTF8);
    EXPECT_EQ(static_cast<int>(view->Call(SCI_GETMARGINMASKN, 2)), static_cast<int>(SC_MASK_FOLDERS));
    EXPECT_EQ(view->Call(SCI_GETMARGINMASKN, 1), 0x1E);
    EXPECT_EQ(view->Call(SCI_GETMARGINWIDTHN, 1), 14);
    EXPECT_EQ(view->Call(SCI_GETMARGINWIDTHN, 2), 14);
    EXPECT_TRUE(view->Call(SCI_GETMARGINSENSITIVEN, 1));
    EXPECT_TRUE(view->Call(SCI_GETMARGINSENSITIVEN, 2));
    EXPECT_EQ(view->Call(SCI_MARKERSYMBOLDEFINED, 1), SC_MARK_CIRCLE);
    EXPECT_EQ(view->Call(SCI_MARKERSYMBOLDEFINED, 4), SC_MARK_UNDERLINE);
    EXPECT_TRUE(view->Call(SCI_GETSCROLLWIDTHTRACKING));
    EXPECT_EQ(view->Call(SCI_AUTOCGETMAXHEIGHT), 20);
    for (const int indicator : {29, 31, 28, 27, 26, 25, 24, 23, 22, 21}) {
        SCOPED_TRACE(indicator);
        EXPECT_EQ(view->Call(SCI_INDICGETSTYLE, indicator), INDIC_ROUNDBOX);
        EXPECT_EQ(view->Call(SCI_INDICGETALPHA, indicator), 100);
        EXPECT_TRUE(view->Call(SCI_INDICGETUNDER, indicator));
    }

    // Set up for editing, a view is shown with the default language.
    auto ready = viewtest::NewBareView();
    ASSERT_TRUE(ready);
    SetUpViewForEditing(*ready);
    ASSERT_NE(ready->Language(), nullptr);
    EXPECT_EQ(ready->LanguageId(), 0);
    EXPECT_EQ(ready->Call(SCI_GETLEXER), 1);
}

TEST_F(ViewSetupTest, ViewOptionsFollowTheSettings) {
    auto view = viewtest::NewViewWithText("a\tb\n");
    ASSERT_TRUE(view);
    App().settings.config1 = (kConfig1Default & ~kC1LineNumbers & ~kC1IndentGuides) | kC1WhiteSpace | kC1LineEnds |
                             kC1WordWrap;
    App().settings.zoomLevel = 3;
    ApplyViewOptions(*view);
    EXPECT_EQ(view->Call(SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_EQ(view->Call(SCI_GETVIEWWS), SCWS_VISIBLEALWAYS);
    EXPECT_TRUE(view->Call(SCI_GETVIEWEOL));
    EXPECT_EQ(view->Call(SCI_GETINDENTATIONGUIDES), SC_IV_NONE);
    EXPECT_EQ(view->Call(SCI_GETWRAPMODE), SC_WRAP_WORD);
    EXPECT_EQ(view->Call(SCI_GETWRAPVISUALFLAGS), SC_WRAPVISUALFLAG_END);
    EXPECT_EQ(view->Call(SCI_GETZOOM), 3);

    App().settings.config1 = kConfig1Default;
    App().settings.zoomLevel = 0;
    ApplyViewOptions(*view);
    EXPECT_GT(view->Call(SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_EQ(view->Call(SCI_GETVIEWWS), SCWS_INVISIBLE);
    EXPECT_FALSE(view->Call(SCI_GETVIEWEOL));
    EXPECT_EQ(view->Call(SCI_GETINDENTATIONGUIDES), SC_IV_LOOKBOTH);
    EXPECT_EQ(view->Call(SCI_GETWRAPMODE), SC_WRAP_NONE);
    EXPECT_EQ(view->Call(SCI_GETZOOM), 0);
}

TEST_F(ViewSetupTest, LineNumberMarginFitsTheDigitsOfTheLineCount) {
    auto view = viewtest::NewViewWithText(Lines(12345));
    ASSERT_TRUE(view);
    ASSERT_EQ(view->Call(SCI_GETLINECOUNT), 12345);
    const sptr_t digit = view->Call(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<sptr_t>("8"));
    ASSERT_GT(digit, 0);
    UpdateLineNumberMargin(*view, true);
    EXPECT_EQ(view->Call(SCI_GETMARGINWIDTHN, 0), 5 * digit + 8);
    UpdateLineNumberMargin(*view, false);
    EXPECT_EQ(view->Call(SCI_GETMARGINWIDTHN, 0), 0);

    auto small = viewtest::NewViewWithText(Lines(10));
    ASSERT_TRUE(small);
    UpdateLineNumberMargin(*small, true);
    EXPECT_EQ(small->Call(SCI_GETMARGINWIDTHN, 0), 4 * digit + 8);

    // Every repaint recomputes it, so the margin widens as the document grows past 9,999 lines.
    auto growing = viewtest::NewViewWithText(Lines(9999));
    ASSERT_TRUE(growing);
    UpdateLineNumberMargin(*growing, true);
    EXPECT_EQ(growing->Call(SCI_GETMARGINWIDTHN, 0), 4 * digit + 8);
    growing->Call(SCI_APPENDTEXT, 1, reinterpret_cast<sptr_t>("\n"));
    SCNotification painted{};
    painted.nmhdr.code = SCN_PAINTED;
    OnViewNotification(*growing, painted);
    EXPECT_EQ(growing->Call(SCI_GETMARGINWIDTHN, 0), 5 * digit + 8);
    App().settings.config1 &= ~kC1LineNumbers;
    OnViewNotification(*growing, painted);
    EXPECT_EQ(growing->Call(SCI_GETMARGINWIDTHN, 0), 0);
}

}  // namespace
}  // namespace kelpo
