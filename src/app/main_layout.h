// Where the main window's children go: rebar, left pane, document tabs, bottom pane, status bar,
// and the 3-pixel splitters between them. Pure geometry, so it is tested without windows.
#pragma once

namespace kelpo {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

struct LayoutInput {
    int width = 0;   // client width W
    int height = 0;  // client height H
    bool statusShown = false;
    int statusHeight = 0;
    bool rebarShown = false;
    int rebarHeight = 0;
    bool leftShown = false;
    int leftWidth = 0;       // LeftTabWidth
    bool bottomShown = false;
    int bottomHeight = 0;    // BottomTabHeight
};

struct LayoutResult {
    Box rebar;   // empty when hidden
    Box left;    // empty when hidden
    Box tabs;
    Box bottom;  // empty when hidden
    Box status;  // empty when hidden
    int paneBottom = 0;  // P: where the pane area ends
    int documentLeft = 0;  // x0
};

inline constexpr int kSplitterSize = 3;

LayoutResult ComputeLayout(const LayoutInput& in);

enum class Splitter { None, Left, Bottom };
Splitter HitTestSplitter(const LayoutInput& in, int x, int y);
// The new LeftTabWidth for a drag to x.
int DragLeftSplitter(const LayoutInput& in, int x);
// The new BottomTabHeight for a drag to y.
int DragBottomSplitter(const LayoutInput& in, int y);

}  // namespace kelpo
