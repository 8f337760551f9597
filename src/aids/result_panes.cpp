// Result panes: a "ListBoxEx" list under a one-button toolbar on a bottom-pane page. Lines come
// to the page by a sent message, so that a worker's lines are added, measured and kept in order
// on the interface thread.
#include "aids/result_panes.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <exception>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/pane_page.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/message_line.h"

namespace kelpo {
namespace {

// The first bottom-pane page command; the result panes are the pages after the output page.
constexpr int kCmdShowOutputPage = 94;
constexpr UINT kAddLineMessage = WM_APP + 1;

struct PaneWindows {
    HWND page = nullptr;
    HWND toolbar = nullptr;
    HWND list = nullptr;
    int widest = 0;
    std::atomic<bool> running{false};
    std::atomic<bool> stop{false};
};

struct LineToAdd {
    const std::wstring* text;
    const Document* untitled;
};

std::array<PaneWindows, kResultPaneCount>& Panes() {
    static std::array<PaneWindows, kResultPaneCount> panes;
    return panes;
}

bool ValidPane(int pane) { return pane >= 0 && pane < kResultPaneCount && Panes()[pane].list != nullptr; }

int TextWidth(HWND list, const std::wstring& text) {
    HDC dc = ::GetDC(list);
    if (dc == nullptr) {
        return 0;
    }
    SIZE size{};
    {
        ScopedSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)),
                                &size);
    }
    ::ReleaseDC(list, dc);
    return size.cx;
}

void AddLineNow(PaneWindows& pane, const LineToAdd& line) {
    const LRESULT index = ::SendMessageW(pane.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text->c_str()));
    if (index < 0) {
        return;
    }
    ::SendMessageW(pane.list, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(line.untitled));
    const int width = TextWidth(pane.list, *line.text) + 8;
    if (width > pane.widest) {
        pane.widest = width;
        ::SendMessageW(pane.list, LB_SETHORIZONTALEXTENT, width, 0);
    }
}

// A document that a result line carries, if it is still open.
Document* OpenDocumentOf(const Document* wanted) {
    DocumentTabs* tabs = Tabs();
    for (int i = 0; tabs != nullptr && i < tabs->Count(); ++i) {
        if (tabs->At(i) == wanted) {
            return tabs->At(i);
        }
    }
    return nullptr;
}

LRESULT PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR paneIndex) {
    PaneWindows& pane = Panes()[paneIndex];
    switch (message) {
    case kAddLineMessage:
        try {
            AddLineNow(pane, *reinterpret_cast<const LineToAdd*>(lParam));
        } catch (const std::exception&) {
            // A line that cannot be measured or kept is left out; the search goes on.
        }
        return 0;
    case WM_SIZE:
        FitResultPane(static_cast<int>(paneIndex));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kStopButtonId) {
            StopResultPane(static_cast<int>(paneIndex));
            return 0;
        }
        if (LOWORD(wParam) == kResultListId && HIWORD(wParam) == LBN_DBLCLK) {
            try {
                OpenResultLine(static_cast<int>(paneIndex),
                               static_cast<int>(::SendMessageW(pane.list, LB_GETCURSEL, 0, 0)));
            } catch (const std::exception&) {
                // Opening failed for want of memory; the pane stays as it is.
            }
            return 0;
        }
        break;
    case WM_NCDESTROY:
        pane.page = pane.toolbar = pane.list = nullptr;
        pane.widest = 0;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

HWND CreateStopToolbar(HWND page) {
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                     WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                                         CCS_NORESIZE | CCS_NOPARENTALIGN,
                                     0, 0, 0, 0, page, nullptr, App().instance, nullptr);
    if (toolbar == nullptr) {
        return nullptr;
    }
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0);
    TBBUTTON stop{};
    stop.iBitmap = I_IMAGENONE;
    stop.idCommand = kStopButtonId;
    stop.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    stop.iString = reinterpret_cast<INT_PTR>(L"Stop");
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&stop));
    return toolbar;
}

}  // namespace

bool CreateResultPane(int pane, HWND page) {
    if (pane < 0 || pane >= kResultPaneCount || page == nullptr) {
        return false;
    }
    PaneWindows& windows = Panes()[pane];
    windows.page = page;
    windows.toolbar = CreateStopToolbar(page);
    windows.list = ::CreateWindowExW(
        0, L"ListBoxEx", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, 0, 0, 0,
        0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kResultListId)), App().instance, nullptr);
    if (windows.toolbar == nullptr || windows.list == nullptr ||
        !SetPanePageHandler(page, PageProc, static_cast<DWORD_PTR>(pane))) {
        return false;
    }
    HFONT font = App().uiFont ? App().uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageW(windows.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(windows.toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(windows.toolbar, TB_ENABLEBUTTON, kStopButtonId, FALSE);
    FitResultPane(pane);
    return true;
}

void FitResultPane(int pane) {
    if (!ValidPane(pane)) {
        return;
    }
    const PaneWindows& windows = Panes()[pane];
    RECT area{};
    ::GetClientRect(windows.page, &area);
    SIZE buttons{};
    ::SendMessageW(windows.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&buttons));
    const int barHeight = std::max<int>(buttons.cy, 22);
    ::MoveWindow(windows.toolbar, 0, 0, area.right, barHeight, TRUE);
    ::MoveWindow(windows.list, 0, barHeight, area.right, std::max<LONG>(area.bottom - barHeight, 0), TRUE);
}

void ClearResultPane(int pane) {
    if (!ValidPane(pane)) {
        return;
    }
    PaneWindows& windows = Panes()[pane];
    ::SendMessageW(windows.list, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(windows.list, LB_SETHORIZONTALEXTENT, 0, 0);
    windows.widest = 0;
    if (App().mainWindow != nullptr) {
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage + 1 + pane, 0);
    }
}

void AddResultLine(int pane, const std::wstring& line, const Document* untitled) {
    if (!ValidPane(pane)) {
        return;
    }
    LineToAdd add{&line, untitled};
    ::SendMessageW(Panes()[pane].page, kAddLineMessage, 0, reinterpret_cast<LPARAM>(&add));
}

int ResultLineCount(int pane) {
    return ValidPane(pane) ? static_cast<int>(::SendMessageW(Panes()[pane].list, LB_GETCOUNT, 0, 0)) : 0;
}

std::wstring ResultLineText(int pane, int index) {
    if (!ValidPane(pane)) {
        return {};
    }
    const LRESULT length = ::SendMessageW(Panes()[pane].list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(Panes()[pane].list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool ResultPaneRunning(int pane) { return pane >= 0 && pane < kResultPaneCount && Panes()[pane].running; }

const std::atomic<bool>& ResultPaneStopFlag(int pane) { return Panes()[std::clamp(pane, 0, kResultPaneCount - 1)].stop; }

void StopResultPane(int pane) {
    if (pane >= 0 && pane < kResultPaneCount) {
        Panes()[pane].stop = true;
    }
}

void SetResultPaneRunning(int pane, bool running) {
    if (pane < 0 || pane >= kResultPaneCount) {
        return;
    }
    Panes()[pane].running = running;
    if (running) {
        Panes()[pane].stop = false;
    }
    if (Panes()[pane].toolbar != nullptr) {
        ::SendMessageW(Panes()[pane].toolbar, TB_ENABLEBUTTON, kStopButtonId, running ? TRUE : FALSE);
    }
}

bool OpenResultLine(int pane, int index) {
    if (!ValidPane(pane) || index < 0 || index >= ResultLineCount(pane)) {
        return false;
    }
    const std::optional<MessageLocation> location = ParseMessageLine(ResultLineText(pane, index));
    if (!location) {
        return false;
    }
    const auto* carried =
        reinterpret_cast<const Document*>(::SendMessageW(Panes()[pane].list, LB_GETITEMDATA, index, 0));
    Document* document = carried != nullptr ? OpenDocumentOf(carried) : nullptr;
    if (document != nullptr) {
        Tabs()->Activate(Tabs()->IndexOf(document), true);
    } else if (carried == nullptr) {
        document = OpenDocument(location->file);
    }
    if (document == nullptr || !document->view) {
        return false;
    }
    if (location->line > 0) {
        GoToLineColumn(document, location->line, 1);
    }
    ::SetFocus(document->view->Window());
    return true;
}

}  // namespace kelpo
