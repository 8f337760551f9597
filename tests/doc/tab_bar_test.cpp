// The document tab bar under the mouse: dragging tabs, closing clicks, the new-document double
// click and the tips, with mouse messages sent to the real tab bar at its tabs' rectangles.
#include <windows.h>
#include <commctrl.h>

#include <chrono>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/tab_bar_input.h"
#include "tab_test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using tab_test::PumpFor;
using tab_test::TabWindowTest;

class TabBarInput : public TabWindowTest {
protected:
    void OpenThree() {
        a_ = OpenFile(L"a.c");
        b_ = OpenFile(L"b.c");
        c_ = OpenFile(L"c.c");
        ASSERT_NE(c_, nullptr);
        ASSERT_EQ(TabOrder(), (std::vector<Document*>{a_, b_, c_}));
    }

    // A point of the bar that no tab covers: right of the last tab.
    POINT FreePoint() const {
        const RECT last = TabRect(Tabs()->Count() - 1);
        return POINT{last.right + 40, (last.top + last.bottom) / 2};
    }

    int Selected() const { return static_cast<int>(::SendMessageW(TabBar(), TCM_GETCURSEL, 0, 0)); }

    std::wstring TipText() {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageW(TabBar(), TCM_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = 102;
        info.hdr.code = TTN_GETDISPINFOW;
        lstrcpyW(info.szText, L"stale");
        EXPECT_TRUE(OnTabToolTip(&info.hdr));
        return info.lpszText == info.szText ? std::wstring(info.szText) : L"<not the buffer>";
    }

    Document* a_ = nullptr;
    Document* b_ = nullptr;
    Document* c_ = nullptr;
};

TEST_F(TabBarInput, DraggingATabMovesItWithTheMarkFollowingThePointer) {
    OpenThree();
    const POINT start = TabCentre(0);
    Mouse(WM_LBUTTONDOWN, start, MK_LBUTTON);
    EXPECT_EQ(Tabs()->Active(), a_);  // the pressed tab became the active one
    EXPECT_EQ(::GetCapture(), TabBar());

    // Within the drag rectangle nothing is dragged yet.
    Mouse(WM_MOUSEMOVE, POINT{start.x + ::GetSystemMetrics(SM_CXDRAG), start.y}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, TabCentre(0), MK_LBUTTON);
    EXPECT_FALSE(IsMarked(0) || IsMarked(1) || IsMarked(2));

    Mouse(WM_MOUSEMOVE, TabCentre(1), MK_LBUTTON);
    EXPECT_TRUE(IsMarked(1));
    Mouse(WM_MOUSEMOVE, TabCentre(2), MK_LBUTTON);
    EXPECT_FALSE(IsMarked(1));
    EXPECT_TRUE(IsMarked(2));

    Mouse(WM_LBUTTONUP, TabCentre(2));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{b_, c_, a_}));
    EXPECT_EQ(Tabs()->Active(), a_);
    EXPECT_EQ(Selected(), 2);
    EXPECT_FALSE(IsMarked(0) || IsMarked(1) || IsMarked(2));
    EXPECT_NE(::GetCapture(), TabBar());
    EXPECT_TRUE(::IsWindowVisible(a_->view->Window()));
    EXPECT_FALSE(::IsWindowVisible(b_->view->Window()));

    // Back towards the front, and a vertical move alone is enough to start a drag.
    const POINT third = TabCentre(2);
    Mouse(WM_LBUTTONDOWN, third, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{third.x, third.y + ::GetSystemMetrics(SM_CYDRAG) + 1}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, TabCentre(0), MK_LBUTTON);
    EXPECT_TRUE(IsMarked(0));
    Mouse(WM_LBUTTONUP, TabCentre(0));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{a_, b_, c_}));
    EXPECT_EQ(Tabs()->Active(), a_);
    EXPECT_EQ(Selected(), 0);
}

TEST_F(TabBarInput, DroppingOnItselfOrOutsideAnyTabOrWithoutDraggingDoesNothing) {
    OpenThree();
    const std::vector<Document*> order = TabOrder();

    // Onto itself, after leaving the drag rectangle and coming back: never marked, nothing moves.
    Mouse(WM_LBUTTONDOWN, TabCentre(1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, TabCentre(2), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, TabCentre(1), MK_LBUTTON);
    EXPECT_FALSE(IsMarked(1));
    EXPECT_FALSE(IsMarked(2));
    Mouse(WM_LBUTTONUP, TabCentre(1));
    EXPECT_EQ(TabOrder(), order);
    EXPECT_EQ(Tabs()->Active(), b_);

    // Outside any tab: the free part of the bar, and far outside the bar under the capture.
    for (const POINT outside : {FreePoint(), POINT{-200, -200}}) {
        Mouse(WM_LBUTTONDOWN, TabCentre(0), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, TabCentre(2), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, outside, MK_LBUTTON);
        EXPECT_FALSE(IsMarked(2));
        Mouse(WM_LBUTTONUP, outside);
        EXPECT_EQ(TabOrder(), order);
    }

    // A plain click on another tab only activates it.
    Mouse(WM_LBUTTONDOWN, TabCentre(2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, TabCentre(2));
    EXPECT_EQ(TabOrder(), order);
    EXPECT_EQ(Tabs()->Active(), c_);
}

TEST_F(TabBarInput, LosingTheCaptureEndsTheDrag) {
    OpenThree();
    Mouse(WM_LBUTTONDOWN, TabCentre(0), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, TabCentre(2), MK_LBUTTON);
    ASSERT_TRUE(IsMarked(2));
    ::SetCapture(window_);  // another window takes the mouse
    EXPECT_FALSE(IsMarked(2));
    ::ReleaseCapture();
    Mouse(WM_MOUSEMOVE, TabCentre(1), MK_LBUTTON);
    EXPECT_FALSE(IsMarked(1));
    Mouse(WM_LBUTTONUP, TabCentre(1));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{a_, b_, c_}));
}

TEST_F(TabBarInput, ASingleTabIsNotDragged) {
    Document* only = OpenFile(L"only.c");
    ASSERT_NE(only, nullptr);
    Mouse(WM_LBUTTONDOWN, TabCentre(0), MK_LBUTTON);
    EXPECT_NE(::GetCapture(), TabBar());
    Mouse(WM_LBUTTONUP, TabCentre(0));
    EXPECT_EQ(Tabs()->Count(), 1);
}

TEST_F(TabBarInput, MiddleClickClosesTheClickedTabOnlyWhenSwitchedOn) {
    OpenThree();
    App().settings.config2 &= ~kC2MiddleClickCloses;
    Mouse(WM_MBUTTONDOWN, TabCentre(0), MK_MBUTTON);
    Mouse(WM_MBUTTONUP, TabCentre(0));
    PumpFor(50ms);
    EXPECT_EQ(Tabs()->Count(), 3);

    App().settings.config2 |= kC2MiddleClickCloses;
    Mouse(WM_MBUTTONDOWN, TabCentre(0), MK_MBUTTON);
    Mouse(WM_MBUTTONUP, TabCentre(0));
    PumpFor(50ms);
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{b_, c_}));
    EXPECT_TRUE(answers_.Texts().empty());

    // Pressed on one tab and released on another: no click.
    Mouse(WM_MBUTTONDOWN, TabCentre(0), MK_MBUTTON);
    Mouse(WM_MBUTTONUP, TabCentre(1));
    PumpFor(50ms);
    EXPECT_EQ(Tabs()->Count(), 2);

    // A modified document asks first; Cancel keeps it.
    Touch(*b_);
    Mouse(WM_MBUTTONDOWN, TabCentre(0), MK_MBUTTON);
    Mouse(WM_MBUTTONUP, TabCentre(0));
    PumpFor(50ms);
    EXPECT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(answers_.Texts().size(), 1u);
}

TEST_F(TabBarInput, DoubleClicksCloseATabOrOpenANewDocument) {
    OpenThree();
    App().settings.config2 &= ~kC2DoubleClickCloses;
    Mouse(WM_LBUTTONDBLCLK, TabCentre(1), MK_LBUTTON);
    PumpFor(50ms);
    EXPECT_EQ(Tabs()->Count(), 3);

    App().settings.config2 |= kC2DoubleClickCloses;
    Mouse(WM_LBUTTONDBLCLK, TabCentre(1), MK_LBUTTON);
    PumpFor(50ms);
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{a_, c_}));

    Mouse(WM_LBUTTONDBLCLK, FreePoint(), MK_LBUTTON);
    PumpFor(50ms);
    ASSERT_EQ(Tabs()->Count(), 3);
    EXPECT_FALSE(Tabs()->At(2)->HasPath());
    EXPECT_EQ(Tabs()->Active(), Tabs()->At(2));
}

TEST_F(TabBarInput, TipNamesTheTabUnderThePointer) {
    OpenThree();
    Command(kCmdNew);
    Document* untitled = Tabs()->Active();
    // A long folder keeps the tab short, so that every tab stays in view.
    const std::wstring folder(60, L'f');
    ASSERT_TRUE(::CreateDirectoryW(files_.File(folder).c_str(), nullptr));
    Document* deep = OpenFile(folder + L"\\d.c");
    ASSERT_NE(deep, nullptr);
    ASSERT_GT(deep->path.size(), 79u);

    Mouse(WM_MOUSEMOVE, TabCentre(1));
    EXPECT_EQ(TipText(), b_->path);
    Mouse(WM_MOUSEMOVE, TabCentre(3));
    EXPECT_EQ(TipText(), untitled->displayName);
    Mouse(WM_MOUSEMOVE, TabCentre(4));
    EXPECT_EQ(TipText(), deep->path.substr(0, 79));
    Mouse(WM_MOUSEMOVE, FreePoint());
    EXPECT_EQ(TipText(), L"");

    App().settings.config2 &= ~kC2TabTipFullPath;
    Mouse(WM_MOUSEMOVE, TabCentre(1));
    EXPECT_EQ(TipText(), L"");
    App().settings.config2 |= kC2TabTipFullPath;

    // The tab bar answers its tip itself.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageW(TabBar(), TCM_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = 102;
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(TabBar(), WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(info.lpszText), b_->path);

    // Other notifications are not the tip's.
    NMHDR other = info.hdr;
    other.idFrom = 103;
    EXPECT_FALSE(OnTabToolTip(&other));
    other = info.hdr;
    other.code = TCN_SELCHANGE;
    EXPECT_FALSE(OnTabToolTip(&other));
}

}  // namespace
}  // namespace kelpo
