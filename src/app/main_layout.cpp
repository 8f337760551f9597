// Main-window geometry.
#include "app/main_layout.h"

#include <algorithm>

namespace kelpo {
namespace {

int StatusHeight(const LayoutInput& in) { return in.statusShown ? in.statusHeight : 0; }
int RebarHeight(const LayoutInput& in) { return in.rebarShown ? in.rebarHeight : 0; }
int PaneBottom(const LayoutInput& in) { return in.height - StatusHeight(in); }
int DocumentLeft(const LayoutInput& in) { return in.leftShown ? in.leftWidth + kSplitterSize : 0; }

}  // namespace

LayoutResult ComputeLayout(const LayoutInput& in) {
    LayoutResult out;
    const int p = PaneBottom(in);
    const int r = RebarHeight(in);
    out.paneBottom = p;
    out.documentLeft = DocumentLeft(in);
    if (in.statusShown) {
        out.status = {0, p, in.width, in.statusHeight};
    }
    if (in.rebarShown) {
        out.rebar = {0, 0, in.width, r};
    }
    if (in.leftShown) {
        out.left = {0, r, in.leftWidth, p - r};
    }
    const int x0 = out.documentLeft;
    const int tabsBottom = in.bottomShown ? p - in.bottomHeight - kSplitterSize : p;
    out.tabs = {x0, r, in.width - x0, tabsBottom - r};
    if (in.bottomShown) {
        out.bottom = {x0, p - in.bottomHeight, in.width - x0, in.bottomHeight};
    }
    return out;
}

Splitter HitTestSplitter(const LayoutInput& in, int x, int y) {
    const int r = RebarHeight(in);
    const int p = PaneBottom(in);
    if (in.leftShown && y >= r && x >= in.leftWidth && x < in.leftWidth + kSplitterSize) {
        return Splitter::Left;
    }
    const int top = p - in.bottomHeight - kSplitterSize;
    if (in.bottomShown && x >= DocumentLeft(in) && y >= top && y < p - in.bottomHeight) {
        return Splitter::Bottom;
    }
    return Splitter::None;
}

int DragLeftSplitter(const LayoutInput& in, int x) { return std::clamp(x, 10, std::max(10, in.width - 10)); }

int DragBottomSplitter(const LayoutInput& in, int y) {
    const int r = RebarHeight(in);
    const int p = PaneBottom(in);
    const int clamped = std::clamp(y, r + 10, std::max(r + 10, p - 10));
    return p - clamped - kSplitterSize;
}

}  // namespace kelpo
