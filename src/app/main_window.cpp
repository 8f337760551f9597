// The main window procedure: each message is handed to one handler.
#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <exception>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "app/color_mode.h"
#include "app/commands.h"
#include "app/insert_commands.h"
#include "app/main_window_layout.h"
#include "app/message_loop.h"
#include "app/open_arguments.h"
#include "app/pane_hosts.h"
#include "app/rebar.h"
#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/startup_done.h"
#include "app/startup_trace.h"
#include "app/status_bar.h"
#include "app/tray_icon.h"
#include "aids/result_panes.h"
#include "aids/search_actions.h"
#include "aids/symbol_pane.h"
#include "aids/typing_commands.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/recent_lists.h"
#include "base/resource_ids.h"
#include "base/settings_values.h"
#include "build/build_runner.h"
#include "build/output_pane.h"
#include "build/user_commands.h"
#include "doc/backup_keeper.h"
#include "doc/document_entry.h"
#include "doc/document_events.h"
#include "doc/document_status.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_change_check.h"
#include "doc/file_commands.h"
#include "doc/file_location.h"
#include "doc/session_commands.h"
#include "doc/tab_bar_input.h"
#include "lang/theme_menu.h"
#include "panes/explorer_pane.h"

namespace kelpo {
namespace {

WNDPROC g_tabControlProc = nullptr;
WNDPROC g_listBoxProc = nullptr;

// The tab bar and list box copies get double clicks; the list box's own behaviour comes with
// the panes that use it.
LRESULT CALLBACK TabCtrlExProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleTabBarMessage(window, message, wParam, lParam, g_tabControlProc);
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

// Pane sizes outside 6 .. client extent - 100 go back to their defaults.
void ReadPaneSizes(HWND window) {
    Settings& settings = App().settings;
    RECT client{};
    ::GetClientRect(window, &client);
    const IniFile ini(App().paths.settingsFile);
    settings.leftTabWidth =
        RepairPaneSize(ini.ReadInt(L"LeftTabWidth", kDefaultLeftTabWidth), client.right, kDefaultLeftTabWidth);
    settings.bottomTabHeight = RepairPaneSize(ini.ReadInt(L"BottomTabHeight", kDefaultBottomTabHeight),
                                              client.bottom, kDefaultBottomTabHeight);
}

int OnCreate(HWND window) {
    AppState& app = App();
    app.mainWindow = window;
    ::DragAcceptFiles(window, TRUE);
    LoadRecentLists(app);
    ReadPaneSizes(window);
    TraceStartup("  recent lists, pane sizes");
    if (!CreatePaneHosts(window)) {
        return -1;
    }
    TraceStartup("  pane hosts");
    if (!CreateOutputPane(PanePage(Pane::Bottom, 0))) {
        return -1;
    }
    SetBuildMessageProcessor([](MSG& message) { ProcessMessage(App(), message); });
    for (int pane = 0; pane < kResultPaneCount; ++pane) {
        if (!CreateResultPane(pane, PanePage(Pane::Bottom, 1 + pane))) {
            return -1;
        }
    }
    TraceStartup("  output and result panes");
    if (!CreateSymbolPane(PanePage(Pane::Left, 1))) {
        return -1;
    }
    TraceStartup("  symbol pane");
    if (!CreateExplorerPane(PanePage(Pane::Left, 0))) {
        return -1;
    }
    TraceStartup("  explorer pane");
    SetExplorerPaneLink({.show = [](const std::wstring& path) {
                             ShowFolderInExplorer(path);
                             SelectPaneTab(Pane::Left, 0, true);
                         },
                         .currentFolder = ExplorerCurrentFolder});
    SetDocumentEvents({.opened = [](Document& document) { AddDocumentSymbols(document); },
                       .saved =
                           [](Document& document) {
                               RefreshDocumentSymbols(document);
                               NoteDocumentChanged(document);
                           },
                       .activated = [](Document* document) { ShowDocumentSymbols(document); },
                       .closing =
                           [](Document& document) {
                               RemoveDocumentSymbols(document);
                               ForgetDocumentSnapshot(document);
                           }});
    std::unique_ptr<DocumentTabs> tabs = DocumentTabs::Create(window);
    if (!tabs) {
        return -1;
    }
    SetTabs(std::move(tabs));
    TraceStartup("  tab bar");
    if (!CreateRebar(window) || !CreateStatusBar(window)) {
        return -1;
    }
    TraceStartup("  toolbars and status bar");
    if (app.settings.config1 & kC1TrayIcon) {
        AddTrayIcon(window);
    }
    app.created = true;
    ::PostMessageW(window, UM_STARTUP_DONE, 0, 0);
    return 0;
}

// What leaving writes: the settings, the recent lists and the session, with every document still
// open. Closing and the end of the Windows session both come here once their questions are over.
void WriteExitState(HWND window) {
    RemoveTrayIcon(window);
    SaveSettings(App());
    EndBackups(true);  // a normal end: the next start restores nothing
}

void OnClose(HWND window) {
    TraceStartup("close asked");
    if (!AskSaveAll()) {
        return;
    }
    TraceStartup("close: save questions over");
    WriteExitState(window);
    TraceStartup("close: settings, session and recent lists written");
    ::DestroyWindow(window);
    TraceStartup("close: window destroyed");
}

// At logoff or shutdown no WM_CLOSE comes: the process is ended soon after this returns. The save
// questions were asked by WM_QUERYENDSESSION; the window is left to go with the process.
void OnEndSession(HWND window, WPARAM ending) {
    if (ending) {
        WriteExitState(window);
    }
}

void OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && App().created) {
        if (const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr) {
            ::SetFocus(active->view->Window());
        }
        ::PostMessageW(window, UM_CHECK_FILE, 0, 0);
    }
}

void OnSize(WPARAM type) {
    if (type != SIZE_MINIMIZED) {
        LayoutMainWindow();
    }
}

bool OnSetCursor(HWND window, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) {
        return false;
    }
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(window, &point);
    return OnSplitterMouseMove(window, point.x, point.y);
}

LRESULT OnNotify(HWND window, NMHDR* header) {
    if (LRESULT result = 0; OnToolbarNotify(window, header, result)) {
        return result;
    }
    if (OnPaneHostNotify(header)) {
        return 0;
    }
    if (OnTabToolTip(header)) {
        return 0;
    }
    if (header->hwndFrom == App().shell.statusBar && header->code == NM_CLICK) {
        OnStatusBarClick(*reinterpret_cast<const NMMOUSE*>(header));
        return 0;
    }
    if (header->idFrom >= 0xF000) {
        const auto& notification = *reinterpret_cast<const SCNotification*>(header);
        Document* document = OnViewNotify(notification);
        if (document != nullptr) {
            OnTypingNotification(*document->view, notification);
        }
        if (document != nullptr && header->code == SCN_USERLISTSELECTION) {
            OnDateTimeListSelection(*document->view, notification);
        }
        return 0;
    }
    DocumentTabs* tabs = Tabs();
    if (tabs != nullptr && header->hwndFrom == tabs->TabControl() && header->code == TCN_SELCHANGE) {
        tabs->Activate(static_cast<int>(::SendMessageW(tabs->TabControl(), TCM_GETCURSEL, 0, 0)), true);
    }
    return 0;
}

void OnGoToLine(LPARAM lParam) {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active != nullptr) {
        GoToLineColumn(active, static_cast<int>(lParam & 0xFFFFFF), 1);
        ::SetFocus(active->view->Window());
    }
}

bool OnSysCommand(HWND window, WPARAM wParam) {
    if ((wParam & 0xFFF0) == SC_MINIMIZE && (App().settings.config1 & kC1TrayIcon)) {
        ::ShowWindow(window, SW_HIDE);
        return true;
    }
    return false;
}

// The theme pop-up is the one whose first item is the built-in theme.
void OnThemeMenuPopup(HMENU popup) {
    if (::GetMenuItemID(popup, 0) == static_cast<UINT>(kThemeCommandBuiltin)) {
        BuildThemeMenu(popup);
    }
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

bool DroppedOnLeftPane(HDROP drop) {
    HWND host = App().shell.leftHost;
    POINT at{};
    RECT area{};
    if (host == nullptr || !::IsWindowVisible(host) || !::DragQueryPoint(drop, &at) || !::GetWindowRect(host, &area)) {
        return false;
    }
    ::ClientToScreen(App().mainWindow, &at);
    return ::PtInRect(&area, at) != FALSE;
}

// Dropped files open in turn; a folder is shown in the file explorer pane and ends the drop. The
// explorer pane and its host leave drops to the folder view.
void OnDropFiles(HWND window, HDROP drop) {
    if (DroppedOnLeftPane(drop)) {
        ::DragFinish(drop);
        return;
    }
    if (::IsIconic(window)) {
        ::ShowWindow(window, SW_RESTORE);
    }
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::wstring> files;
    std::wstring folder;
    for (UINT i = 0; i < count && folder.empty(); ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            folder = std::move(path);
        } else {
            files.push_back(std::move(path));
        }
    }
    ::DragFinish(drop);
    OpenFiles(files);
    if (!folder.empty()) {
        ShowFileLocation(FileLocationMode::ExplorerPane, folder);
    }
}

// The children cover the client area but for the splitter gaps, painted here.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    PaintSplitterGaps(dc);
    ::EndPaint(window, &paint);
}

LRESULT HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_QUERYENDSESSION:
        return AskSaveAll() ? TRUE : FALSE;
    case WM_ENDSESSION:
        OnEndSession(window, wParam);
        return 0;
    case WM_DESTROY:
        StopBuildForExit();  // the build and the searches write to this window's panes
        StopAllSearches();
        DetachCommandChains();
        EndBackups(false);  // its worker reads nothing of the documents, but is joined before they go
        App().created = false;
        SetTabs(nullptr);
        TraceStartup("close: documents closed");
        ::PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(window, lParam)) {
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        OnSplitterMouseMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnSplitterButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        OnSplitterButtonUp();
        return 0;
    case WM_NOTIFY:
        return OnNotify(window, reinterpret_cast<NMHDR*>(lParam));
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
    case WM_SETTINGCHANGE:
        // Following the system's colour mode: the system may just have switched it.
        if (GetBits(App().settings.config2, kC2ColorModeShift, 2) == 2 && App().osMajor >= 6) {
            ApplyColorMode(2);
            ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        break;
    case WM_INITMENUPOPUP:
        OnRecentMenuPopup(reinterpret_cast<HMENU>(wParam));
        OnThemeMenuPopup(reinterpret_cast<HMENU>(wParam));
        OnWindowMenuPopup(reinterpret_cast<HMENU>(wParam));
        UpdateDocumentMenuStates(reinterpret_cast<HMENU>(wParam));
        OnUserCommandMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_COPYDATA:
        return ReceiveHandOver(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(lParam);
        return 0;
    case WM_DROPFILES:
        OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kBackupTimerId) {
            OnBackupTimer();
            return 0;
        }
        break;
    case UM_STARTUP_DONE:
        RunStartupDone(App());
        return 0;
    case UM_TRAY_NOTIFY:
        OnTrayNotify(window, lParam);
        return 0;
    case UM_GOTO_LINE:
        OnGoToLine(lParam);
        return 0;
    case UM_CHECK_FILE:
        CheckActiveFileChanged();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// No exception may cross into the system's message dispatch: a failed allocation while handling
// a message ends that message's handling, and a failed creation fails the window's creation.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMainWindowMessage(window, message, wParam, lParam);
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return message == WM_CREATE ? -1 : 0;
    }
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
    return ::CreateWindowExW(exStyle, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             pos.rect.left, pos.rect.top,
                             useDefault ? static_cast<int>(CW_USEDEFAULT) : pos.rect.Width(),
                             useDefault ? static_cast<int>(CW_USEDEFAULT) : pos.rect.Height(),
                             nullptr, menu, instance, nullptr);
}

}  // namespace kelpo
