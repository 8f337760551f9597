// A second floor of the start-up benchmark: a bare program that shows the controls the editor's
// window shows at its first start, made the plain way and laid out once, with nothing behind
// them: a menu bar of eight menus, a rebar with two toolbars, the left pane's tab control with an
// address combo box, a toolbar with a filter combo box and a report list, the document tab
// control, one editing-component window with line numbers and a status bar of seven parts.
// What it takes beyond the bare window is what showing such a window costs any program.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "Scintilla.h"

namespace {

struct Controls {
    HWND rebar = nullptr;
    HWND leftHost = nullptr;
    HWND address = nullptr;
    HWND paneToolbar = nullptr;
    HWND list = nullptr;
    HWND tabs = nullptr;
    HWND view = nullptr;
    HWND status = nullptr;
};
Controls g_controls;

HWND Child(HWND parent, const wchar_t* windowClass, DWORD style, int id = 0, const wchar_t* text = L"") {
    return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

HMENU MakeMenuBar() {
    HMENU bar = ::CreateMenu();
    for (const wchar_t* title : {L"&File", L"&Edit", L"&View", L"&Search", L"&Tools", L"F&avourites", L"&Window",
                                 L"&Help"}) {
        HMENU popup = ::CreatePopupMenu();
        for (int item = 0; item < 12; ++item) {
            ::AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(1000 + item), L"Menu item\tCtrl+X");
        }
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    return bar;
}

HWND MakeToolbar(HWND parent, int buttons) {
    HWND toolbar = Child(parent, TOOLBARCLASSNAMEW,
                         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button{};
        button.iBitmap = i % 15;
        button.idCommand = 2000 + i;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = (i % 6 == 5) ? BTNS_SEP : BTNS_BUTTON;
        ::SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

void AddBand(HWND rebar, HWND toolbar) {
    SIZE size{};
    ::SendMessageW(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.hwndChild = toolbar;
    band.cxMinChild = 0;
    band.cyMinChild = size.cy;
    band.cx = size.cx + 20;
    ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void AddTab(HWND tabs, const wchar_t* title) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(title);
    ::SendMessageW(tabs, TCM_INSERTITEMW, ::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
}

void MakeControls(HWND window) {
    Controls& c = g_controls;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    c.rebar = Child(window, REBARCLASSNAMEW, RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | WS_CLIPCHILDREN);
    AddBand(c.rebar, MakeToolbar(c.rebar, 30));
    AddBand(c.rebar, MakeToolbar(c.rebar, 10));
    c.leftHost = Child(window, WC_TABCONTROLW, WS_CLIPCHILDREN | TCS_FOCUSNEVER);
    for (const wchar_t* title : {L"Explorer", L"Symbols", L"Snippets"}) {
        AddTab(c.leftHost, title);
    }
    c.address = Child(c.leftHost, WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL);
    c.paneToolbar = MakeToolbar(c.leftHost, 12);
    HWND filter = Child(c.paneToolbar, WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL);
    ::MoveWindow(filter, 200, 1, 80, 300, FALSE);
    c.list = Child(c.leftHost, WC_LISTVIEWW, LVS_REPORT | LVS_SHAREIMAGELISTS, 0);
    for (const wchar_t* column : {L"File", L"Type", L"Size"}) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.cx = 90;
        info.pszText = const_cast<wchar_t*>(column);
        ::SendMessageW(c.list, LVM_INSERTCOLUMNW, 9, reinterpret_cast<LPARAM>(&info));
    }
    c.tabs = Child(window, WC_TABCONTROLW, WS_CLIPSIBLINGS | TCS_FOCUSNEVER);
    AddTab(c.tabs, L"Untitled 1");
    c.view = Child(window, L"Scintilla", WS_CLIPCHILDREN);
    ::SendMessageW(c.view, SCI_SETMARGINWIDTHN, 0, 40);
    ::SendMessageW(c.view, SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
    c.status = Child(window, STATUSCLASSNAMEW, SBARS_SIZEGRIP);
    const std::array<int, 7> parts = {240, 400, 440, 560, 640, 680, -1};
    ::SendMessageW(c.status, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    for (HWND control : {c.leftHost, c.address, c.paneToolbar, filter, c.list, c.tabs, c.status}) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void Layout(int width, int height) {
    const Controls& c = g_controls;
    RECT box{};
    ::SendMessageW(c.status, WM_SIZE, 0, 0);
    ::GetWindowRect(c.status, &box);
    const int statusHeight = box.bottom - box.top;
    ::MoveWindow(c.rebar, 0, 0, width, 30, TRUE);
    ::GetWindowRect(c.rebar, &box);
    const int top = box.bottom - box.top;
    const int left = 270;
    const int paneHeight = height - top - statusHeight;
    ::MoveWindow(c.leftHost, 0, top, left, paneHeight, TRUE);
    ::MoveWindow(c.address, 4, 26, left - 8, 300, TRUE);
    ::MoveWindow(c.paneToolbar, 4, 50, left - 8, 24, TRUE);
    ::MoveWindow(c.list, 4, 76, left - 8, paneHeight - 80, TRUE);
    ::MoveWindow(c.tabs, left + 4, top, width - left - 4, paneHeight, TRUE);
    ::MoveWindow(c.view, left + 8, top + 26, width - left - 12, paneHeight - 30, TRUE);
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        MakeControls(window);
        return 0;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_COOL_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!Scintilla_RegisterClasses(instance)) {
        return 1;
    }
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KelpoStartupControlsFloor";
    if (!::RegisterClassExW(&wc)) {
        return 1;
    }
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Controls floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CW_USEDEFAULT, CW_USEDEFAULT, 780, 580, nullptr, MakeMenuBar(), instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
