// How long the whole-document edit commands and their undo take in a real main window, and how
// long going to a far column of one long line takes. Every figure includes the repaint that
// follows, as a user waits for it.
// Usage: kelpo_bulk_edit_bench [lines [name part]]   (default 100000 lines, every command)
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string_view>
#include <functional>
#include <string>

#include "Scintilla.h"
#include "bench_window.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/format_menus.h"
#include "lang/language_catalogue.h"

namespace {

using namespace kelpo;
using namespace kelpo::bench;

double Timed(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    PumpPending();
    return MillisecondsSince(start);
}

std::string Repeated(const std::string& line, int count) {
    std::string text;
    text.reserve(line.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

// Lines that differ, every tenth one repeating an earlier one, for the commands that need more
// than one kind of line.
std::string MixedLines(int count, const char* format) {
    std::string text;
    char line[128];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof(line), format, i % 10 == 9 ? i / 2 : i);
        text += line;
    }
    return text;
}

Document* DocumentWithText(const std::string& text) {
    Document* document = NewDocument(nullptr);
    if (document == nullptr) {
        return nullptr;
    }
    EditorView& view = *document->view;
    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
    view.Call(SCI_EMPTYUNDOBUFFER);
    view.Call(SCI_SETSAVEPOINT);
    view.Call(SCI_GOTOPOS, 0);
    // Bookmarks spread over the text, as a user would have a few.
    const sptr_t lines = view.Call(SCI_GETLINECOUNT);
    for (sptr_t line = 0; line < lines; line += 997) {
        view.Call(SCI_MARKERADD, line, 1);
    }
    PumpPending();
    return document;
}

struct Case {
    const char* name;
    std::string text;
    std::function<void(HWND, Document&)> run;
};

void RunCommand(HWND window, int command) { ::SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(command), 0); }

std::function<void(HWND, Document&)> Command(int command) {
    return [command](HWND window, Document&) { RunCommand(window, command); };
}

void Measure(HWND window, const Case& item) {
    Document* document = DocumentWithText(item.text);
    if (document == nullptr) {
        std::printf("%-34s  no document\n", item.name);
        return;
    }
    EditorView& view = *document->view;
    const sptr_t lengthBefore = view.Call(SCI_GETLENGTH);
    const double run = Timed([&] { item.run(window, *document); });
    const sptr_t lengthAfter = view.Call(SCI_GETLENGTH);
    const double undo = Timed([&] { RunCommand(window, 31); });
    const bool restored = view.Text() == item.text;
    const double redo = Timed([&] { RunCommand(window, 32); });
    std::printf("%-34s %10.1f %10.1f %10.1f   %9lld -> %9lld%s\n", item.name, run, undo, redo,
                static_cast<long long>(lengthBefore), static_cast<long long>(lengthAfter),
                restored ? "" : "   UNDO DID NOT RESTORE THE TEXT");
    std::fflush(stdout);
    view.Call(SCI_SETSAVEPOINT);
    CloseActiveTab();
    PumpPending();
}

void MeasureGoToColumn(int lineBytes) {
    std::string line;
    while (static_cast<int>(line.size()) < lineBytes) {
        line += "function f(a,b){return a+b;}var x=1;\t";
    }
    Document* document = DocumentWithText("first line\n" + line + "\nlast line\n");
    if (document == nullptr) {
        return;
    }
    for (const int column : {1000, 40000, 999999}) {
        const double time = Timed([&] { GoToLineColumn(document, 2, column); });
        const EditorView& view = *document->view;
        const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
        std::printf("go to line 2, column %-7d (%d KB line) %10.1f ms   caret column %lld\n", column,
                    lineBytes / 1024, time, static_cast<long long>(view.Call(SCI_GETCOLUMN, caret)) + 1);
    }
    std::fflush(stdout);
    CloseActiveTab();
    PumpPending();
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const int lines = count > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 100000;
    std::string only;
    for (const wchar_t* c = count > 2 ? argv[2] : L""; *c != L'\0'; ++c) {
        only += static_cast<char>(*c);
    }
    ::LocalFree(argv);
    HWND window = StartBenchWindow(ScratchFolder(L"kelpo-bulk-bench"));
    if (window == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    const std::string padded = "    int value = compute(first, second);    \r\n";
    const std::string tabbed = "\t\tint value = compute(first,\tsecond);\r\n";
    const std::string spaced = "        int value  =  compute(first,    second);\r\n";
    const Case cases[] = {
        {"56 trim trailing blanks", Repeated(padded, lines), Command(56)},
        {"57 trim leading blanks", Repeated(padded, lines), Command(57)},
        {"55 trim both", Repeated(padded, lines), Command(55)},
        {"58 compress blanks", Repeated(spaced, lines), Command(58)},
        {"59 tabs to spaces", Repeated(tabbed, lines), Command(59)},
        {"60 spaces to tabs", Repeated(spaced, lines), Command(60)},
        {"61 leading spaces to tabs", Repeated(spaced, lines), Command(61)},
        {"53 duplicates, identical lines", Repeated("the same line\r\n", lines), Command(53)},
        {"53 duplicates, every tenth", MixedLines(lines, "line number %d\r\n"), Command(53)},
        {"49 blank lines, keep one", MixedLines(lines, "line %d\r\n  \r\n\r\n"), Command(49)},
        {"52 empty lines, remove all", MixedLines(lines, "line %d\r\n\r\n"), Command(52)},
        {"66 comment every line", Repeated("    code();\r\n", lines),
         [](HWND window, Document& document) {
             document.view->SetLanguageId(kLangCpp);
             document.view->Call(SCI_SELECTALL);
             RunCommand(window, 66);
         }},
        {"71 reverse lines", MixedLines(lines, "line %d\r\n"), Command(71)},
        {"line ends CRLF -> LF", Repeated(padded, lines),
         [](HWND, Document& document) { ChangeLineEnds(document, LineEndMode::Lf); }},
        {"line ends LF -> CRLF", Repeated("    int value = compute(first, second);\n", lines),
         [](HWND, Document& document) { ChangeLineEnds(document, LineEndMode::CrLf); }},
    };
    std::printf("%d lines; milliseconds, each with its repaint\n", lines);
    std::printf("%-34s %10s %10s %10s   %s\n", "command", "run", "undo", "redo", "length before -> after");
    for (const Case& item : cases) {
        if (std::string_view(item.name).find(only) != std::string_view::npos) {
            Measure(window, item);
        }
    }
    if (only.empty() || only == "go to") {
        MeasureGoToColumn(80 * 1024);
    }
    ::DestroyWindow(window);
    return 0;
}
