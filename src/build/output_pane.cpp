// The output pane. Workers write to it by messages sent to its page, so that every change of the
// view happens on the interface thread, with read-only switched off only for the write.
#include "build/output_pane.h"

#include <commctrl.h>

#include <exception>
#include <memory>

#include "SciLexer.h"
#include "base/app_state.h"
#include "base/pane_page.h"
#include "base/text_convert.h"
#include "build/output_decoder.h"
#include "build/output_lexer.h"
#include "build/output_line.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_entry.h"
#include "doc/documents.h"
#include "doc/file_location.h"
#include "lang/style_string.h"
#include "lang/view_language.h"
#include "lang/view_setup.h"

namespace kelpo {
namespace {

constexpr UINT kAppendMessage = WM_APP + 20;  // lParam: const std::string* of UTF-8 text
constexpr UINT kClearMessage = WM_APP + 21;
constexpr UINT kMakeViewMessage = WM_APP + 22;
constexpr int kTabWidth = 4;

struct OutputPane {
    HWND page = nullptr;
    std::unique_ptr<EditorView> view;
    std::wstring buildFolder;
};

OutputPane& Pane() {
    static OutputPane pane;
    return pane;
}

StyleDef StyleOf(int number, const char* text) {
    StyleDef style;
    ParseStyleString(text, style);
    style.style = static_cast<std::uint16_t>(number);
    return style;
}

const LanguageDef& ErrorListLanguage() {
    static const LanguageDef language = [] {
        LanguageDef l;
        l.lexer = SCLEX_ERRORLIST;
        l.displayName = L"Error List";
        l.styles[0] = StyleOf(kOutputErrorStyle, "fore:#ff0000");
        l.styles[1] = StyleOf(kOutputWarningStyle, "fore:#ffa700");
        return l;
    }();
    return language;
}

void SetUpView(EditorView& view) {
    CreateDefaults(view);
    ApplyLanguage(view, ErrorListLanguage());
    view.Call(SCI_SETILEXER, 0, reinterpret_cast<sptr_t>(CreateOutputLexer()));
    view.Call(SCI_SETTABWIDTH, kTabWidth);
    view.Call(SCI_SETUNDOCOLLECTION, 0);
    view.Call(SCI_SETMARGINWIDTHN, 1, 0);
    view.Call(SCI_SETMARGINWIDTHN, 2, 0);
    view.Call(SCI_SETREADONLY, 1);
}

void AppendNow(EditorView& view, const std::string& text) {
    view.Call(SCI_SETREADONLY, 0);
    view.Call(SCI_APPENDTEXT, text.size(), reinterpret_cast<sptr_t>(text.data()));
    view.Call(SCI_SETREADONLY, 1);
    const sptr_t lastLine = view.Call(SCI_GETLINECOUNT) - 1;
    view.Call(SCI_GOTOPOS, view.Call(SCI_POSITIONFROMLINE, lastLine));
}

void ClearNow(EditorView& view) {
    view.Call(SCI_SETREADONLY, 0);
    view.Call(SCI_CLEARALL);
    view.Call(SCI_SETREADONLY, 1);
}

void FitView(HWND page) {
    if (Pane().view) {
        RECT area{};
        ::GetClientRect(page, &area);
        ::MoveWindow(Pane().view->Window(), 0, 0, area.right, area.bottom, TRUE);
    }
}

std::string LineText(const EditorView& view, int line) {
    const sptr_t start = view.Call(SCI_POSITIONFROMLINE, line);
    const sptr_t end = view.Call(SCI_POSITIONFROMLINE, line + 1);
    const sptr_t stop = end > start ? end : view.Call(SCI_GETLENGTH);
    std::string text(static_cast<std::size_t>(stop - start) + 1, '\0');
    Sci_TextRangeFull range{{start, stop}, text.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
    text.resize(static_cast<std::size_t>(stop - start));
    view.Call(SCI_SETSEL, start, stop > start && end > start ? stop - 1 : stop);
    return text;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool OpenAt(const std::wstring& path, int line) {
    if (!IsFile(path)) {
        return false;
    }
    Document* document = OpenDocument(path);
    if (document == nullptr || !document->view) {
        return false;
    }
    if (line > 0) {
        GoToLineColumn(document, line, 1);
    }
    ::SetFocus(document->view->Window());
    return true;
}

// The view is made when the page is first painted or written to: many sessions never show the
// pane, and a styled view is one of the costlier parts of the window.
EditorView* EnsureView() {
    OutputPane& pane = Pane();
    if (!pane.view && pane.page != nullptr) {
        pane.view = EditorView::Create(pane.page, kOutputViewId);
        if (pane.view) {
            SetUpView(*pane.view);
            FitView(pane.page);
        }
    }
    return pane.view.get();
}

LRESULT PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
    OutputPane& pane = Pane();
    switch (message) {
    case kAppendMessage:
        if (EditorView* view = EnsureView()) {
            AppendNow(*view, *reinterpret_cast<const std::string*>(lParam));
        }
        return 0;
    case kMakeViewMessage:
        EnsureView();
        return 0;
    case WM_PAINT:
        if (!pane.view) {
            ::PostMessageW(page, kMakeViewMessage, 0, 0);
        }
        break;
    case kClearMessage:
        if (pane.view) {
            ClearNow(*pane.view);
        }
        return 0;
    case WM_SIZE:
        FitView(page);
        return 0;
    case WM_NOTIFY: {
        const auto* notification = reinterpret_cast<const SCNotification*>(lParam);
        if (pane.view && notification->nmhdr.hwndFrom == pane.view->Window() &&
            notification->nmhdr.code == SCN_DOUBLECLICK) {
            try {
                OpenOutputLine(static_cast<int>(notification->line));
            } catch (const std::exception&) {
                // Out of memory while opening: the pane stays as it is.
            }
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        pane.view.reset();
        break;
    case WM_NCDESTROY:
        pane.page = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

}  // namespace

bool CreateOutputPane(HWND page) {
    OutputPane& pane = Pane();
    if (page == nullptr) {
        return false;
    }
    if (!SetPanePageHandler(page, PageProc)) {
        return false;
    }
    pane.page = page;
    return true;
}

EditorView* OutputView() { return EnsureView(); }

void AppendOutputUtf8(std::string_view utf8) {
    if (Pane().page == nullptr || utf8.empty()) {
        return;
    }
    const std::string text(utf8);
    ::SendMessageW(Pane().page, kAppendMessage, 0, reinterpret_cast<LPARAM>(&text));
}

void AppendOutput(std::string_view ansi) {
    OutputDecoder decoder(SystemAnsiCodePage());
    std::string text = decoder.Feed(ansi);
    text += decoder.Flush();
    AppendOutputUtf8(text);
}

void ClearOutput() {
    if (Pane().page != nullptr) {
        ::SendMessageW(Pane().page, kClearMessage, 0, 0);
    }
}

std::string OutputText() { return Pane().view ? Pane().view->Text() : std::string(); }

void SetBuildFolder(const std::wstring& projectPath) {
    Pane().buildFolder = projectPath.substr(0, projectPath.find_last_of(L'\\') + 1);
}

const std::wstring& BuildFolder() { return Pane().buildFolder; }

bool OpenOutputLine(int line) {
    EditorView* view = OutputView();
    if (view == nullptr || line < 0 || line >= view->Call(SCI_GETLINECOUNT)) {
        return false;
    }
    const OutputLineTarget target = ReadOutputLine(Utf8ToWide(LineText(*view, line)), BuildFolder());
    switch (target.action) {
    case OutputLineAction::None:
        return false;
    case OutputLineAction::ShowFile:
        if (!IsFile(target.files.front())) {
            return false;
        }
        ShowFileLocation(FileLocationMode::ExplorerPane, target.files.front());
        return true;
    case OutputLineAction::OpenFile:
        for (const std::wstring& file : target.files) {
            if (OpenAt(file, target.line)) {
                return true;
            }
        }
        return false;
    }
    return false;
}

}  // namespace kelpo
