// How long one typed character takes in a large C file of a real main window, from the key to
// the end of its handling (insertion, word completion, call tips, indentation), for a prefix with
// no completion, with one and with many; and how long marking a selected word on a full screen
// takes. Prints the median, the 95th percentile and the worst case.
// Usage: kelpo_typing_bench [megabytes]   (default 60)
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "aids/completion_words.h"
#include "aids/typing_aids.h"
#include "doc/documents.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "bench_window.h"

namespace {

using namespace kelpo;
using namespace kelpo::bench;

// C code without the letters j, q and k, so prefixes made of them complete nothing; one word
// "kestrelWing" near the start is the only continuation of "kes".
std::string GeneratedC(std::size_t bytes) {
    std::string text = "static int kestrelWing;\n";
    text.reserve(bytes + 128);
    char line[160];
    for (int i = 0; text.size() < bytes; ++i) {
        std::snprintf(line, sizeof(line), "static int value_%d = compute_%d(first, second) + offset_%d;\n", i, i % 977,
                      i % 31);
        text += line;
    }
    return text;
}

struct Figures {
    double median = 0;
    double p95 = 0;
    double worst = 0;
};

Figures Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    Figures f;
    if (!times.empty()) {
        f.median = times[times.size() / 2];
        f.p95 = times[std::min(times.size() - 1, times.size() * 95 / 100)];
        f.worst = times.back();
    }
    return f;
}

void Print(const char* name, const Figures& f) {
    std::printf("%-48s median %7.2f ms   p95 %7.2f ms   worst %7.2f ms\n", name, f.median, f.p95, f.worst);
    std::fflush(stdout);
}

struct Typed {
    std::vector<double> whole;    // the key as the component receives it, to the end of its handling
    std::vector<double> search;   // the word search alone: what typing costs apart from the component
};

// Types `word` then deletes it again, `rounds` times, timing each typed character both ways.
std::size_t found = 0;  // keeps the searches from being optimised away

Typed TypeRepeatedly(EditorView& view, const std::string& word, int rounds) {
    Typed typed;
    const auto clear = [&] {
        view.Call(SCI_AUTOCCANCEL);
        view.Call(SCI_CALLTIPCANCEL);
        const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
        view.Call(SCI_DELETERANGE, caret - static_cast<sptr_t>(word.size()), static_cast<sptr_t>(word.size()));
        PumpPending();
    };
    for (int round = 0; round < rounds; ++round) {
        for (const char c : word) {
            const Clock::time_point start = Clock::now();
            ::SendMessageW(view.Window(), WM_CHAR, static_cast<unsigned char>(c), 0);
            typed.whole.push_back(MillisecondsSince(start));
        }
        clear();
        for (std::size_t i = 1; i <= word.size(); ++i) {
            view.Call(SCI_ADDTEXT, 1, reinterpret_cast<sptr_t>(&word[i - 1]));
            const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
            const Clock::time_point start = Clock::now();
            const sptr_t length = view.Call(SCI_GETLENGTH);
            const auto* front = reinterpret_cast<const char*>(view.Call(SCI_GETRANGEPOINTER, 0, caret));
            const auto* back = reinterpret_cast<const char*>(view.Call(SCI_GETRANGEPOINTER, caret, length - caret));
            const SplitText text(std::string_view(front, static_cast<std::size_t>(caret)),
                                 std::string_view(back, static_cast<std::size_t>(length - caret)));
            const auto words = NearCompletionWords(text, word.substr(0, i), static_cast<std::size_t>(caret) - i);
            typed.search.push_back(MillisecondsSince(start));
            found += words.size();
        }
        clear();
    }
    return typed;
}

void PrintTyped(const std::string& name, const Typed& typed) {
    Print((name + ", key to end").c_str(), Summarise(typed.whole));
    Print((name + ", word search").c_str(), Summarise(typed.search));
}

// Opening the component's word-list popup by itself, on a short text: under Wine and Xvfb this
// is the window system's time, which the keystroke figures of a completion include.
void MeasurePopup(HWND) {
    Document* document = NewDocument(nullptr);
    if (document == nullptr) return;
    EditorView& view = *document->view;
    ApplyLanguage(view, kLangC);
    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("abc a"));
    view.Call(SCI_DOCUMENTEND);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const Clock::time_point start = Clock::now();
        view.Call(SCI_AUTOCSHOW, 1, reinterpret_cast<sptr_t>("abc"));
        times.push_back(MillisecondsSince(start));
        view.Call(SCI_AUTOCCANCEL);
        PumpPending();
    }
    Print("showing the word-list popup alone", Summarise(times));
    // The same list opened by the character-added handler when called directly rather than from
    // within the component's handling of the key.
    times.clear();
    for (int i = 0; i < 5; ++i) {
        view.Call(SCI_ADDTEXT, 1, reinterpret_cast<sptr_t>("b"));
        const Clock::time_point start = Clock::now();
        OnCharAdded(view, 'b');
        times.push_back(MillisecondsSince(start));
        view.Call(SCI_AUTOCCANCEL);
        view.Call(SCI_DELETEBACK);
        PumpPending();
    }
    Print("the handler opening the list, called directly", Summarise(times));
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const long megabytes = count > 1 ? std::wcstol(argv[1], nullptr, 10) : 60;
    ::LocalFree(argv);
    HWND window = StartBenchWindow(ScratchFolder(L"kelpo-typing-bench"));
    Document* document = window != nullptr ? NewDocument(nullptr) : nullptr;
    if (document == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    EditorView& view = *document->view;
    const std::string text = GeneratedC(static_cast<std::size_t>(megabytes) * 1024 * 1024);
    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
    ApplyLanguage(view, kLangC);
    view.Call(SCI_EMPTYUNDOBUFFER);
    std::printf("%ld MB of C, %lld lines\n", megabytes, static_cast<long long>(view.Call(SCI_GETLINECOUNT)));

    for (const bool atEnd : {true, false}) {
        const sptr_t where = atEnd ? view.Call(SCI_GETLENGTH) : view.Call(SCI_POSITIONFROMLINE,
                                                                            view.Call(SCI_GETLINECOUNT) / 2);
        view.Call(SCI_GOTOPOS, where);
        view.Call(SCI_ADDTEXT, 1, reinterpret_cast<sptr_t>("\n"));
        PumpPending();
        const std::string place = atEnd ? " (end)" : " (middle)";
        PrintTyped("no completion" + place, TypeRepeatedly(view, "jqjqjq", 10));
        PrintTyped("one completion" + place, TypeRepeatedly(view, "kes", 10));
        PrintTyped("many completions" + place, TypeRepeatedly(view, "value", 20));
    }

    // A full screen of text with the word "first" selected in its middle.
    view.Call(SCI_GOTOLINE, 1000);
    view.Call(SCI_SETFIRSTVISIBLELINE, 990);
    const sptr_t lineStart = view.Call(SCI_POSITIONFROMLINE, 1000);
    const sptr_t first = lineStart + static_cast<sptr_t>(std::string_view(text).substr(
                                         static_cast<std::size_t>(lineStart)).find("first"));
    view.Call(SCI_SETSEL, first, first + 5);
    std::vector<double> marks;
    for (int i = 0; i < 50; ++i) {
        const Clock::time_point start = Clock::now();
        MarkSelectedWord(view);
        marks.push_back(MillisecondsSince(start));
    }
    std::printf("(%lld lines on screen)\n", static_cast<long long>(view.Call(SCI_LINESONSCREEN)));
    Print("marking the selected word on a full screen", Summarise(marks));
    view.Call(SCI_SETSAVEPOINT);
    MeasurePopup(window);
    return found == 0 ? 2 : 0;
}
