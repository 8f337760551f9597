// Tab bar input: a middle click or a double click closes a tab, a double click on the free part
// of the bar opens a new document, a left-button drag moves a tab, and the tip names the file.
#include "doc/tab_bar_input.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr UINT_PTR kTabTipToolId = 102;
constexpr std::size_t kMaxTipChars = 79;

// A left-button press on a tab, which becomes a drag once the pointer leaves the drag rectangle.
struct TabDrag {
    bool pressed = false;
    bool dragging = false;
    int source = -1;
    POINT start{};
    int markedTab = -1;  // the tab showing the insertion mark
};

// There is one document tab bar, so its pointer state is kept here.
struct TabBarPointer {
    TabDrag drag;
    int middlePressedTab = -1;
    int hoveredTab = -1;  // the tab the tip describes
};

TabBarPointer& Pointer() {
    static TabBarPointer pointer;
    return pointer;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

int TabAt(HWND tabBar, POINT point) {
    TCHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(::SendMessageW(tabBar, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int TabCount(HWND tabBar) { return static_cast<int>(::SendMessageW(tabBar, TCM_GETITEMCOUNT, 0, 0)); }

HWND MainWindowOf(HWND tabBar) { return ::GetAncestor(tabBar, GA_ROOT); }

// Posted, so that the tab bar has finished with the click before tabs go away or a question shows.
void PostCommand(HWND tabBar, int command, LPARAM lParam) {
    ::PostMessageW(MainWindowOf(tabBar), WM_COMMAND, MAKEWPARAM(command, 0), lParam);
}

void MarkTab(HWND tabBar, int index) {
    TabDrag& drag = Pointer().drag;
    if (drag.markedTab == index) {
        return;
    }
    if (drag.markedTab >= 0) {
        ::SendMessageW(tabBar, TCM_HIGHLIGHTITEM, drag.markedTab, MAKELPARAM(FALSE, 0));
    }
    if (index >= 0) {
        ::SendMessageW(tabBar, TCM_HIGHLIGHTITEM, index, MAKELPARAM(TRUE, 0));
    }
    drag.markedTab = index;
}

void EndDrag(HWND tabBar) {
    MarkTab(tabBar, -1);
    Pointer().drag = TabDrag{};
}

bool BeyondDragThreshold(POINT start, POINT now) {
    return std::abs(now.x - start.x) > ::GetSystemMetrics(SM_CXDRAG) ||
           std::abs(now.y - start.y) > ::GetSystemMetrics(SM_CYDRAG);
}

void OnLeftButtonDown(HWND tabBar, LPARAM lParam) {
    EndDrag(tabBar);
    const POINT point = PointOf(lParam);
    const int tab = TabAt(tabBar, point);
    if (tab < 0 || TabCount(tabBar) < 2) {
        return;
    }
    TabDrag& drag = Pointer().drag;
    drag.pressed = true;
    drag.source = tab;
    drag.start = point;
    ::SetCapture(tabBar);
}

HWND TipOf(HWND tabBar) { return reinterpret_cast<HWND>(::SendMessageW(tabBar, TCM_GETTOOLTIPS, 0, 0)); }

// The single tool of the tip is the whole bar; it follows the bar's size.
void FitTipToBar(HWND tabBar) {
    HWND tip = TipOf(tabBar);
    if (tip == nullptr) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = tabBar;
    tool.uId = kTabTipToolId;
    ::GetClientRect(tabBar, &tool.rect);
    ::SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tip is made when the pointer first comes over the bar: a pop-up window is costly to make
// and most starts never need it. The bar hands it the pointer's messages itself; the common
// controls' subclassing would make every message to the bar slower.
HWND EnsureTip(HWND tabBar) {
    if (HWND tip = TipOf(tabBar)) {
        return tip;
    }
    HWND tip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, tabBar, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr) {
        return nullptr;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = tabBar;
    tool.uId = kTabTipToolId;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::GetClientRect(tabBar, &tool.rect);
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tabBar, TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tip), 0);
    return tip;
}

void RelayToTip(HWND tabBar, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND tip = EnsureTip(tabBar);
    if (tip == nullptr) {
        return;
    }
    const DWORD position = ::GetMessagePos();
    MSG relayed{tabBar, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    ::SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void DestroyTip(HWND tabBar) {
    if (HWND tip = TipOf(tabBar)) {
        ::SendMessageW(tabBar, TCM_SETTOOLTIPS, 0, 0);
        ::DestroyWindow(tip);
    }
}

// A different tab under the pointer invalidates the shown tip, whose text is asked for anew.
void TrackHoveredTab(HWND tabBar, int tab) {
    if (Pointer().hoveredTab == tab) {
        return;
    }
    Pointer().hoveredTab = tab;
    if (HWND tip = TipOf(tabBar)) {
        ::SendMessageW(tip, TTM_POP, 0, 0);
    }
}

void OnMouseMove(HWND tabBar, LPARAM lParam) {
    const POINT point = PointOf(lParam);
    const int tab = TabAt(tabBar, point);
    TrackHoveredTab(tabBar, tab);
    TabDrag& drag = Pointer().drag;
    if (!drag.pressed) {
        return;
    }
    if (!drag.dragging && !BeyondDragThreshold(drag.start, point)) {
        return;
    }
    drag.dragging = true;
    MarkTab(tabBar, tab != drag.source ? tab : -1);
}

void OnLeftButtonUp(HWND tabBar, LPARAM lParam) {
    const TabDrag drag = Pointer().drag;
    if (!drag.pressed) {
        return;
    }
    EndDrag(tabBar);
    if (::GetCapture() == tabBar) {
        ::ReleaseCapture();
    }
    const int target = TabAt(tabBar, PointOf(lParam));
    if (drag.dragging && target >= 0 && target != drag.source) {
        ::SendMessageW(MainWindowOf(tabBar), WM_COMMAND, MAKEWPARAM(kCmdMoveTab, 0),
                       MAKELPARAM(drag.source, target));
    }
}

void OnMiddleButtonUp(HWND tabBar, LPARAM lParam) {
    const int pressed = Pointer().middlePressedTab;
    Pointer().middlePressedTab = -1;
    const int tab = TabAt(tabBar, PointOf(lParam));
    if (tab >= 0 && tab == pressed && (App().settings.config2 & kC2MiddleClickCloses)) {
        PostCommand(tabBar, kCmdCloseTabAt, tab);
    }
}

void OnLeftDoubleClick(HWND tabBar, LPARAM lParam) {
    const int tab = TabAt(tabBar, PointOf(lParam));
    if (tab < 0) {
        PostCommand(tabBar, kCmdNew, 0);
    } else if (App().settings.config2 & kC2DoubleClickCloses) {
        PostCommand(tabBar, kCmdCloseTabAt, tab);
    }
}

void CopyTipText(NMTTDISPINFOW& info, const std::wstring& text) {
    const std::size_t length = text.size() < kMaxTipChars ? text.size() : kMaxTipChars;
    text.copy(info.szText, length);
    info.szText[length] = L'\0';
}

}  // namespace

bool OnTabToolTip(NMHDR* header) {
    DocumentTabs* tabs = Tabs();
    if (header == nullptr || header->code != TTN_GETDISPINFOW || header->idFrom != kTabTipToolId ||
        tabs == nullptr || header->hwndFrom == nullptr || header->hwndFrom != TipOf(tabs->TabControl())) {
        return false;
    }
    auto& info = *reinterpret_cast<NMTTDISPINFOW*>(header);
    info.hinst = nullptr;
    info.lpszText = info.szText;
    info.szText[0] = L'\0';
    const Document* document = tabs->At(Pointer().hoveredTab);
    if (document != nullptr && (App().settings.config2 & kC2TabTipFullPath)) {
        CopyTipText(info, document->HasPath() ? document->path : document->displayName);
    }
    return true;
}

LRESULT HandleTabBarMessage(HWND tabBar, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC original) {
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONUP) {
        RelayToTip(tabBar, message, wParam, lParam);
    }
    switch (message) {
    case WM_NOTIFY:
        if (OnTabToolTip(reinterpret_cast<NMHDR*>(lParam))) {
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: {
        const LRESULT result = ::CallWindowProcW(original, tabBar, message, wParam, lParam);
        OnLeftButtonDown(tabBar, lParam);
        return result;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(tabBar, lParam);
        break;
    case WM_LBUTTONUP:
        OnLeftButtonUp(tabBar, lParam);
        break;
    case WM_CAPTURECHANGED:
        EndDrag(tabBar);
        break;
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = ::CallWindowProcW(original, tabBar, message, wParam, lParam);
        OnLeftDoubleClick(tabBar, lParam);
        return result;
    }
    case WM_MBUTTONDOWN:
        Pointer().middlePressedTab = TabAt(tabBar, PointOf(lParam));
        break;
    case WM_MBUTTONUP:
        OnMiddleButtonUp(tabBar, lParam);
        break;
    case WM_SIZE: {
        const LRESULT result = ::CallWindowProcW(original, tabBar, message, wParam, lParam);
        FitTipToBar(tabBar);
        return result;
    }
    case WM_NCDESTROY:
        DestroyTip(tabBar);
        Pointer() = TabBarPointer{};
        break;
    default:
        break;
    }
    return ::CallWindowProcW(original, tabBar, message, wParam, lParam);
}

}  // namespace kelpo
