// Margin clicks for bookmarks and folds, fold-level changes and show requests, on a C++ view of
// the real editing component.
#include "lang/view_notifications.h"

#include <gtest/gtest.h>

#include "Scintilla.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

constexpr const char* kNestedBlocks =
    "void f() {\n"       // 0 header
    "    if (a) {\n"     // 1 header inside 0
    "        b();\n"     // 2
    "    }\n"            // 3
    "    c();\n"         // 4
    "}\n"                // 5
    "int g;\n"           // 6
    "void h() {\n"       // 7 header
    "    d();\n"         // 8
    "}\n";               // 9

class ViewNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
        view_ = viewtest::NewViewWithText(kNestedBlocks);
        ASSERT_TRUE(view_);
        ApplyLanguage(*view_, kLangCpp);
        for (const int header : {0, 1, 7}) {
            ASSERT_TRUE(Level(header) & SC_FOLDLEVELHEADERFLAG) << header;
        }
        ASSERT_FALSE(Level(2) & SC_FOLDLEVELHEADERFLAG);
    }
    void TearDown() override { viewtest::ForgetLoadedTheme(); }

    int Level(int line) const { return static_cast<int>(view_->Call(SCI_GETFOLDLEVEL, line)); }
    bool Expanded(int line) const { return view_->Call(SCI_GETFOLDEXPANDED, line) != 0; }
    bool Visible(int line) const { return view_->Call(SCI_GETLINEVISIBLE, line) != 0; }
    sptr_t LineStart(int line) const { return view_->Call(SCI_POSITIONFROMLINE, line); }

    void Click(int margin, int line, int modifiers = 0) {
        SCNotification click{};
        click.nmhdr.code = SCN_MARGINCLICK;
        click.margin = margin;
        click.position = LineStart(line);
        click.modifiers = modifiers;
        OnViewNotification(*view_, click);
    }

    void FoldChange(int line, int levelNow, int levelPrev) {
        SCNotification change{};
        change.nmhdr.code = SCN_MODIFIED;
        change.modificationType = SC_MOD_CHANGEFOLD;
        change.line = line;
        change.foldLevelNow = levelNow;
        change.foldLevelPrev = levelPrev;
        OnViewNotification(*view_, change);
    }

    viewtest::TempFolder folder_;
    std::unique_ptr<EditorView> view_;
};

TEST_F(ViewNotificationsTest, BookmarkMarginTogglesMarkerOne) {
    Click(1, 2);
    EXPECT_EQ(view_->Call(SCI_MARKERGET, 2), 1 << 1);
    EXPECT_EQ(view_->Call(SCI_MARKERGET, 3), 0);
    Click(1, 2);
    EXPECT_EQ(view_->Call(SCI_MARKERGET, 2), 0);
    // A click anywhere on the line counts for that line.
    SCNotification click{};
    click.nmhdr.code = SCN_MARGINCLICK;
    click.margin = 1;
    click.position = LineStart(4) + 3;
    OnViewNotification(*view_, click);
    EXPECT_EQ(view_->Call(SCI_MARKERGET, 4), 1 << 1);
}

TEST_F(ViewNotificationsTest, FoldMarginClicksFollowTheModifierKeys) {
    // No modifier: the one block.
    Click(2, 0);
    EXPECT_FALSE(Expanded(0));
    EXPECT_TRUE(Expanded(1));
    EXPECT_FALSE(Visible(1));
    EXPECT_FALSE(Visible(5));
    EXPECT_TRUE(Visible(6));
    Click(2, 0);
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Visible(2));

    // Lines that head no block ignore clicks without Shift+Ctrl.
    Click(2, 2);
    Click(2, 2, SCMOD_CTRL);
    Click(2, 2, SCMOD_SHIFT);
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(1));
    EXPECT_TRUE(Visible(2));

    // Ctrl: the block with every block inside, after the header's state.
    Click(2, 0, SCMOD_CTRL);
    EXPECT_FALSE(Expanded(0));
    EXPECT_FALSE(Expanded(1));
    EXPECT_TRUE(Expanded(7));
    Click(2, 0, SCMOD_CTRL);
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(1));
    EXPECT_TRUE(Visible(2));

    // Shift: unfolds the block and everything inside it.
    view_->Call(SCI_FOLDLINE, 1, SC_FOLDACTION_CONTRACT);
    view_->Call(SCI_FOLDLINE, 0, SC_FOLDACTION_CONTRACT);
    Click(2, 0, SCMOD_SHIFT);
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(1));
    for (int line = 0; line < 10; ++line) EXPECT_TRUE(Visible(line)) << line;
    Click(2, 0, SCMOD_SHIFT);
    EXPECT_TRUE(Expanded(0));

    // Shift+Ctrl on any line: every block of the document.
    Click(2, 6, SCMOD_SHIFT | SCMOD_CTRL);
    EXPECT_FALSE(Expanded(0));
    EXPECT_FALSE(Expanded(1));
    EXPECT_FALSE(Expanded(7));
    EXPECT_FALSE(Visible(3));
    EXPECT_FALSE(Visible(8));
    EXPECT_TRUE(Visible(6));
}

TEST_F(ViewNotificationsTest, FoldLevelChangesLeaveNoLinesHiddenForGood) {
    const int header = Level(7);
    const int plain = header & ~SC_FOLDLEVELHEADERFLAG;

    // A folded header that stops being one is unfolded and its former block shown.
    view_->Call(SCI_FOLDLINE, 7, SC_FOLDACTION_CONTRACT);
    ASSERT_FALSE(Visible(8));
    FoldChange(7, plain, header);
    EXPECT_TRUE(Expanded(7));
    EXPECT_TRUE(Visible(8));
    EXPECT_TRUE(Visible(9));

    // A line that becomes a header is unfolded with its block.
    view_->Call(SCI_HIDELINES, 8, 9);
    view_->Call(SCI_SETFOLDEXPANDED, 7, 0);
    FoldChange(7, header, plain);
    EXPECT_TRUE(Expanded(7));
    EXPECT_TRUE(Visible(8));
    EXPECT_TRUE(Visible(9));

    // A line whose level drops out of every block is shown.
    view_->Call(SCI_HIDELINES, 6, 6);
    FoldChange(6, Level(6), Level(6) + 1);
    EXPECT_TRUE(Visible(6));

    // One whose level drops but stays inside a folded block stays hidden.
    view_->Call(SCI_FOLDLINE, 1, SC_FOLDACTION_CONTRACT);
    ASSERT_FALSE(Visible(2));
    FoldChange(2, Level(2), Level(2) + 1);
    EXPECT_FALSE(Visible(2));

    // Other modifications are no fold changes.
    view_->Call(SCI_FOLDLINE, 7, SC_FOLDACTION_CONTRACT);
    SCNotification insert{};
    insert.nmhdr.code = SCN_MODIFIED;
    insert.modificationType = SC_MOD_INSERTTEXT;
    insert.line = 7;
    insert.foldLevelNow = plain;
    insert.foldLevelPrev = header;
    OnViewNotification(*view_, insert);
    EXPECT_FALSE(Expanded(7));
}

TEST_F(ViewNotificationsTest, NeedShownMakesTheReportedLinesVisible) {
    view_->Call(SCI_FOLDLINE, 0, SC_FOLDACTION_CONTRACT);
    view_->Call(SCI_FOLDLINE, 7, SC_FOLDACTION_CONTRACT);
    ASSERT_FALSE(Visible(2));
    SCNotification needShown{};
    needShown.nmhdr.code = SCN_NEEDSHOWN;
    needShown.position = LineStart(2);
    needShown.length = LineStart(3) - LineStart(2) + 1;
    OnViewNotification(*view_, needShown);
    EXPECT_TRUE(Visible(2));
    EXPECT_TRUE(Visible(3));
    EXPECT_FALSE(Visible(8));  // the other block stays folded
}

}  // namespace
}  // namespace kelpo
