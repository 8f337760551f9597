// The main window procedure: each message is handed to one handler.
#include "app/main_window.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "app/app_state.h"
#include "app/commands.h"
#include "app/open_arguments.h"
#include "app/resource_ids.h"
#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/startup_done.h"
#include "app/tray_icon.h"
#include "doc/document_entry.h"
#include "doc/recent_lists.h"

namespace kelpo {
namespace {

WNDPROC g_tabControlProc = nullptr;
WNDPROC g_listBoxProc = nullptr;

// The tab bar and list box copies get double clicks; their own behaviour comes with the panes
// and document tabs that use them.
LRESULT CALLBACK TabCtrlExProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(g_tabControlProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ListBoxExProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(g_listBoxProc, window, message, wParam, lParam);
}

bool RegisterCopyOfClass(HINSTANCE instance, const wchar_t* original, const wchar_t* name, WNDPROC proc,
                         WNDPROC& originalProc) {
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    if (!::GetClassInfoExW(nullptr, original, &wc)) {
        return false;
    }
    originalProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(WNDCLASSEXW);
    wc.style |= CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

int OnCreate(HWND window) {
    AppState& app = App();
    app.mainWindow = window;
    ::DragAcceptFiles(window, TRUE);
    // The panes, document tabs and status bar are created here by the main-window layout;
    // the recent lists are loaded at the same moment.
    LoadRecentLists(app);
    // Later: "TarvikDir" for the build tool, the update check and the menu shortcut texts.
    if (app.settings.config1 & kC1TrayIcon) {
        AddTrayIcon(window);
    }
    app.created = true;
    ::PostMessageW(window, UM_STARTUP_DONE, 0, 0);
    return 0;
}

void OnClose(HWND window) {
    AppState& app = App();
    if (!AskSaveAll()) {
        return;
    }
    RemoveTrayIcon(window);
    SaveSettings(app);
    ::DestroyWindow(window);
}

void OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && App().created) {
        // The active editor view takes the focus here once documents have views.
        ::PostMessageW(window, UM_CHECK_FILE, 0, 0);
    }
}

bool OnSysCommand(HWND window, WPARAM wParam) {
    if ((wParam & 0xFFF0) == SC_MINIMIZE && (App().settings.config1 & kC1TrayIcon)) {
        ::ShowWindow(window, SW_HIDE);
        return true;
    }
    return false;
}

void ShowAndFocus(HWND window) {
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
}

void OnTrayNotify(HWND window, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
        ::ShowWindow(window, ::IsWindowVisible(window) ? SW_HIDE : SW_SHOW);
        break;
    case WM_LBUTTONDBLCLK:
        ShowAndFocus(window);
        break;
    default:
        break;
    }
}

void OnGetMinMaxInfo(LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMinTrackWidth;
    info->ptMinTrackSize.y = kMinTrackHeight;
}

void OnDropFiles(HDROP drop) {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        OpenFileFromArgument(path);
    }
    ::DragFinish(drop);
}

// Until the document tabs and panes fill the client area, it is painted plainly.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    ::FillRect(dc, &paint.rcPaint, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_QUERYENDSESSION:
        return AskSaveAll() ? TRUE : FALSE;
    case WM_DESTROY:
        App().created = false;
        ::PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        OnActivate(window, wParam);
        return 0;
    case WM_SYSCOMMAND:
        if (OnSysCommand(window, wParam)) {
            return 0;
        }
        break;
    case WM_COMMAND:
        if (DispatchCommand(LOWORD(wParam), lParam)) {
            return 0;
        }
        break;
    case WM_COPYDATA:
        return ReceiveHandOver(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(lParam);
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case UM_STARTUP_DONE:
        RunStartupDone(App());
        return 0;
    case UM_TRAY_NOTIFY:
        OnTrayNotify(window, lParam);
        return 0;
    case UM_GOTO_LINE:
    case UM_CHECK_FILE:
        // Handled by the active document once documents have editor views.
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KELPO), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KELPO), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = kMainWindowClass;
    if (!::RegisterClassExW(&wc)) {
        return false;
    }
    if (!RegisterCopyOfClass(instance, L"SysTabControl32", L"TabCtrlEx", TabCtrlExProc, g_tabControlProc) ||
        !RegisterCopyOfClass(instance, L"ListBox", L"ListBoxEx", ListBoxExProc, g_listBoxProc)) {
        return false;
    }
    return Scintilla_RegisterClasses(instance) != 0;
}

void UnregisterWindowClasses(HINSTANCE instance) {
    ::UnregisterClassW(kMainWindowClass, instance);
    ::UnregisterClassW(L"TabCtrlEx", instance);
    ::UnregisterClassW(L"ListBoxEx", instance);
}

HWND CreateMainWindow(HINSTANCE instance, const WindowPos& pos, HMENU menu) {
    const DWORD exStyle = (App().settings.config1 & kC1AlwaysOnTop) ? WS_EX_TOPMOST : 0;
    const bool useDefault = pos.rect.left == kWindowDefaultEdge;
    return ::CreateWindowExW(exStyle, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                             pos.rect.left, pos.rect.top,
                             useDefault ? static_cast<int>(CW_USEDEFAULT) : pos.rect.Width(),
                             useDefault ? static_cast<int>(CW_USEDEFAULT) : pos.rect.Height(),
                             nullptr, menu, instance, nullptr);
}

}  // namespace kelpo
