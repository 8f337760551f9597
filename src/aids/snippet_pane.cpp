// Snippet pane: an owner-drawn "ListBoxEx" in the theme's pane colours on a left-pane page, over
// the entries read from "snippets.txt" when the pane is made.
#include "aids/snippet_pane.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "aids/snippet_expand.h"
#include "aids/snippet_file.h"
#include "aids/variables_context.h"
#include "aids/variables_dialog.h"
#include "base/app_state.h"
#include "base/file_read.h"
#include "base/handles.h"
#include "base/pane_page.h"
#include "base/text_convert.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "lang/theme_store.h"

namespace kelpo {
namespace {

constexpr std::size_t kLongestTitle = 260;
constexpr std::uint64_t kLargestFile = 16ull << 20;

struct PaneState {
    HWND page = nullptr;
    HWND list = nullptr;
    std::vector<SnippetEntry> entries;
};

PaneState& State() {
    static PaneState state;
    return state;
}

void FillList(PaneState& state) {
    state.entries = ParseSnippets(ReadWholeFile(App().paths.snippetsFile, kLargestFile).value_or(std::string()));
    ::SendMessageW(state.list, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < state.entries.size(); ++i) {
        std::wstring title = Utf8ToWide(state.entries[i].title);
        if (title.size() > kLongestTitle) {
            title.resize(kLongestTitle);
        }
        const LRESULT item = ::SendMessageW(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
        if (item >= 0) {
            ::SendMessageW(state.list, LB_SETITEMDATA, item, static_cast<LPARAM>(i));
        }
    }
}

void DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const ThemeDefaultColors& colors = ThemeColors();
    HBRUSH back = ThemeBackgroundBrush();
    if (selected) {
        ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetTextColor(item.hDC, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        ::FillRect(item.hDC, &item.rcItem, back != nullptr ? back : ::GetSysColorBrush(COLOR_WINDOW));
        ::SetTextColor(item.hDC, back != nullptr ? static_cast<COLORREF>(colors.fore) : ::GetSysColor(COLOR_WINDOWTEXT));
    }
    ::SetBkMode(item.hDC, TRANSPARENT);
    const LRESULT length = ::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (length > 0) {
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        RECT rect = item.rcItem;
        rect.left += 3;
        ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(length), &rect,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) {
        ::DrawFocusRect(item.hDC, &item.rcItem);
    }
}

int SelectedSnippet() {
    const LRESULT selected = ::SendMessageW(State().list, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(::SendMessageW(State().list, LB_GETITEMDATA, selected, 0));
}

void ShowContextMenu(HWND page, LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT rect{};
        ::GetWindowRect(State().list, &rect);
        point = POINT{rect.left + 8, rect.top + 8};
    }
    unique_hmenu menu(::CreatePopupMenu());
    if (!menu) {
        return;
    }
    ::AppendMenuW(menu.get(), MF_STRING | (SelectedSnippet() < 0 ? MF_GRAYED : 0), kSnippetEditFile,
                  L"&Edit Snippets");
    ::AppendMenuW(menu.get(), MF_STRING, kSnippetVariables, L"&Variables...");
    const int command = static_cast<int>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x,
                                                          point.y, 0, page, nullptr));
    RunSnippetPaneCommand(command);
}

LRESULT PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
    PaneState& state = State();
    switch (message) {
    case WM_SIZE:
        ::MoveWindow(state.list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DRAWITEM:
        if (wParam == kSnippetListId) {
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_CTLCOLORLISTBOX:
        if (HBRUSH back = ThemeBackgroundBrush(); back != nullptr) {
            return reinterpret_cast<LRESULT>(back);
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSnippetListId && HIWORD(wParam) == LBN_DBLCLK) {
            try {
                InsertSnippet(SelectedSnippet());
            } catch (const std::exception&) {
                // Out of memory while expanding: nothing is inserted.
            }
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        try {
            ShowContextMenu(page, lParam);
        } catch (const std::exception&) {
            // The command could not be carried out for want of memory.
        }
        return 0;
    case WM_NCDESTROY:
        state = PaneState{};
        break;
    default:
        break;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

}  // namespace

bool CreateSnippetPane(HWND page) {
    if (page == nullptr) {
        return false;
    }
    PaneState& state = State();
    state.page = page;
    state.list = ::CreateWindowExW(0, L"ListBoxEx", L"",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                       LBS_HASSTRINGS | LBS_OWNERDRAWFIXED,
                                   0, 0, 0, 0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSnippetListId)),
                                   App().instance, nullptr);
    if (state.list == nullptr || !SetPanePageHandler(page, PageProc)) {
        return false;
    }
    HFONT font = App().uiFont ? App().uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageW(state.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    TEXTMETRICW metrics{};
    if (HDC dc = ::GetDC(state.list); dc != nullptr) {
        {
            ScopedSelectObject select(dc, font);
            ::GetTextMetricsW(dc, &metrics);
        }
        ::ReleaseDC(state.list, dc);
    }
    ::SendMessageW(state.list, LB_SETITEMHEIGHT, 0, std::max<LONG>(metrics.tmHeight + 2, 16));
    RECT area{};
    ::GetClientRect(page, &area);
    ::MoveWindow(state.list, 0, 0, area.right, area.bottom, FALSE);
    FillList(state);
    return true;
}

HWND SnippetList() { return State().list; }

int SnippetCount() { return static_cast<int>(State().entries.size()); }

bool InsertSnippet(int index) {
    const PaneState& state = State();
    DocumentTabs* tabs = Tabs();
    Document* document = tabs != nullptr ? tabs->Active() : nullptr;
    if (document == nullptr || !document->view || index < 0 || index >= SnippetCount()) {
        return false;
    }
    const EditorView& view = *document->view;
    const sptr_t caretLine = view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
    const std::string indentation =
        IndentationText(static_cast<int>(view.Call(SCI_GETLINEINDENTATION, caretLine)),
                        static_cast<int>(view.Call(SCI_GETTABWIDTH)), view.Call(SCI_GETUSETABS) != 0);
    const std::string text =
        ExpandSnippet(state.entries[static_cast<std::size_t>(index)].body, indentation,
                      static_cast<SnippetLineEnd>(view.Call(SCI_GETEOLMODE)), CurrentVariableContext());
    const std::size_t mark = CaretMarkOffset(text);

    view.Call(SCI_BEGINUNDOACTION);
    if (!view.Call(SCI_GETSELECTIONEMPTY)) {
        view.Call(SCI_DELETEBACK);
    }
    const sptr_t position = view.Call(SCI_GETCURRENTPOS);
    // A replaced empty target takes the text with its length, so NUL bytes in a body go in too.
    view.Call(SCI_SETTARGETRANGE, static_cast<uptr_t>(position), position);
    view.Call(SCI_REPLACETARGET, text.size(), reinterpret_cast<sptr_t>(text.data()));
    if (mark != std::string::npos) {
        const sptr_t caret = position + static_cast<sptr_t>(mark);
        view.Call(SCI_SETSEL, static_cast<uptr_t>(caret), caret + 1);
        view.Call(SCI_REPLACESEL, 0, reinterpret_cast<sptr_t>(""));
    } else {
        view.Call(SCI_GOTOPOS, static_cast<uptr_t>(position));
    }
    view.Call(SCI_ENDUNDOACTION);
    ::SetFocus(view.Window());
    return true;
}

void RunSnippetPaneCommand(int command) {
    if (command == kSnippetEditFile) {
        const int index = SelectedSnippet();
        if (index < 0 || index >= SnippetCount()) {
            return;
        }
        if (Document* document = OpenDocument(App().paths.snippetsFile); document != nullptr) {
            GoToLineColumn(document, State().entries[static_cast<std::size_t>(index)].line + 1, 1);
        }
    } else if (command == kSnippetVariables) {
        ShowVariablesDialog(App().mainWindow);
    }
}

}  // namespace kelpo
