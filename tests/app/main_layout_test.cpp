// Main-window geometry: pane placement, splitter hit tests and drag clamps.
#include <gtest/gtest.h>

#include "app/main_layout.h"

namespace kelpo {
namespace {

LayoutInput Everything() {
    LayoutInput in;
    in.width = 1000;
    in.height = 700;
    in.statusShown = true;
    in.statusHeight = 22;
    in.rebarShown = true;
    in.rebarHeight = 30;
    in.leftShown = true;
    in.leftWidth = 290;
    in.bottomShown = true;
    in.bottomHeight = 200;
    return in;
}

TEST(MainLayout, AllAreasWithSplitterGaps) {
    const LayoutResult out = ComputeLayout(Everything());
    EXPECT_EQ(out.paneBottom, 678);
    EXPECT_EQ(out.rebar, (Box{0, 0, 1000, 30}));
    EXPECT_EQ(out.left, (Box{0, 30, 290, 648}));
    EXPECT_EQ(out.tabs, (Box{293, 30, 707, 678 - 200 - 3 - 30}));
    EXPECT_EQ(out.bottom, (Box{293, 478, 707, 200}));
    EXPECT_EQ(out.status, (Box{0, 678, 1000, 22}));
}

TEST(MainLayout, HiddenToolbarsAndPanesGiveTheSpaceBack) {
    LayoutInput in = Everything();
    in.rebarShown = false;
    in.leftShown = false;
    in.bottomShown = false;
    in.statusShown = false;
    const LayoutResult out = ComputeLayout(in);
    EXPECT_EQ(out.tabs, (Box{0, 0, 1000, 700}));
    EXPECT_EQ(out.rebar, Box{});
    EXPECT_EQ(out.left, Box{});
    EXPECT_EQ(out.bottom, Box{});
    in.leftShown = true;
    EXPECT_EQ(ComputeLayout(in).left, (Box{0, 0, 290, 700}));  // panes start at the top
}

TEST(MainLayout, SplitterHitTests) {
    LayoutInput in = Everything();
    EXPECT_EQ(HitTestSplitter(in, 290, 100), Splitter::Left);
    EXPECT_EQ(HitTestSplitter(in, 292, 100), Splitter::Left);
    EXPECT_EQ(HitTestSplitter(in, 293, 100), Splitter::None);
    EXPECT_EQ(HitTestSplitter(in, 290, 10), Splitter::None);  // over the rebar
    EXPECT_EQ(HitTestSplitter(in, 500, 475), Splitter::Bottom);
    EXPECT_EQ(HitTestSplitter(in, 500, 478), Splitter::None);
    EXPECT_EQ(HitTestSplitter(in, 100, 476), Splitter::None);  // beside the left pane
    in.leftShown = false;
    in.bottomShown = false;
    EXPECT_EQ(HitTestSplitter(in, 290, 100), Splitter::None);
    EXPECT_EQ(HitTestSplitter(in, 500, 475), Splitter::None);
}

TEST(MainLayout, DragsAreClamped) {
    const LayoutInput in = Everything();
    EXPECT_EQ(DragLeftSplitter(in, 5), 10);
    EXPECT_EQ(DragLeftSplitter(in, 995), 990);
    EXPECT_EQ(DragLeftSplitter(in, 400), 400);
    EXPECT_EQ(DragBottomSplitter(in, 400), 678 - 400 - 3);
    EXPECT_EQ(DragBottomSplitter(in, 0), 678 - 40 - 3);    // not above rebar + 10
    EXPECT_EQ(DragBottomSplitter(in, 700), 678 - 668 - 3); // not below P - 10
}

}  // namespace
}  // namespace kelpo
