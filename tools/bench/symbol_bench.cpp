// How long the symbol list takes from a save to the refreshed tree for a large C++ file, in a real
// main window with the real ctags.exe, and how that splits into the waiting ctags's answer and the
// tree update; beside it ctags started afresh for the file, as before the generator was kept.
// Usage: kelpo_symbol_bench [lines [rounds]]   (default 20000 lines, 5 rounds)
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "aids/symbol_pane.h"
#include "aids/tag_command.h"
#include "aids/tag_runner.h"
#include "base/app_state.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "lang/language_catalogue.h"
#include "bench_window.h"

namespace {

using namespace kelpo;
using namespace kelpo::bench;

constexpr int kCmdSave = 8;

// Classes with members and methods, free functions, macros and enums, with bodies of a few lines:
// about one symbol in seven lines.
std::string CppSource(int lines) {
    std::string text;
    for (int n = 0; static_cast<int>(std::count(text.begin(), text.end(), '\n')) < lines; ++n) {
        const std::string id = std::to_string(n);
        text += "#define LIMIT_" + id + " " + id + "\n";
        text += "class Widget" + id + " {\npublic:\n    int Size() const;\n    void Grow(int by);\nprivate:\n";
        text += "    int size_;\n};\n\n";
        const std::string body = "    int total = 0;\n    for (int i = 0; i < size_; ++i) {\n        total += i;\n"
                                 "    }\n    if (total > 100) {\n        total = 100;\n    }\n";
        text += "int Widget" + id + "::Size() const\n{\n" + body + "    return size_ + total;\n}\n\n";
        text += "void Widget" + id + "::Grow(int by)\n{\n" + body + "    size_ += by + total;\n}\n\n";
        text += "enum Colour" + id + " { Red" + id + ", Green" + id + " };\n\n";
        text += "static int Helper" + id + "(int value)\n{\n    return value * 2;\n}\n\n";
    }
    return text;
}

struct Figures {
    std::vector<double> samples;
    void Print(const char* what) {
        std::sort(samples.begin(), samples.end());
        std::printf("%-40s min %7.1f ms  median %7.1f ms  max %7.1f ms\n", what, samples.front(),
                    samples[samples.size() / 2], samples.back());
    }
};

bool SameSymbols(const std::vector<Symbol>& a, const std::vector<Symbol>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Symbol& x, const Symbol& y) {
        return x.name == y.name && x.kind == y.kind && x.scope == y.scope && x.line == y.line;
    });
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const int lines = count > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 20000;
    const int rounds = count > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 5;
    ::LocalFree(argv);

    const std::wstring folder = ScratchFolder(L"kelpo-symbol-bench");
    const std::wstring path = folder + L"symbols.cpp";
    const std::string source = CppSource(lines);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !::WriteFile(file, source.data(), static_cast<DWORD>(source.size()), &written, nullptr)) {
        std::printf("cannot write %ls\n", path.c_str());
        return 1;
    }
    ::CloseHandle(file);

    HWND window = StartBenchWindow(folder);
    Document* document = window != nullptr ? OpenDocument(path) : nullptr;
    SymbolTree* tree = document != nullptr ? SymbolTreeOf(*document) : nullptr;
    if (tree == nullptr) {
        std::printf("no window, document or symbol tree\n");
        return 1;
    }
    ::SendMessageW(window, WM_COMMAND, 91, 0);  // the Symbols page in front, as a user watches it
    PumpPending();
    std::printf("%d lines, %zu bytes, %d symbols in the tree\n", lines, source.size(),
                static_cast<int>(::SendMessageW(tree->Window(), TVM_GETCOUNT, 0, 0)));

    Figures save;
    Figures ctags;
    Figures fill;
    Figures once;
    for (int round = 0; round < rounds; ++round) {
        document->view->Call(SCI_INSERTTEXT, 0, reinterpret_cast<sptr_t>("// edited\n"));
        const Clock::time_point start = Clock::now();
        ::SendMessageW(window, WM_COMMAND, kCmdSave, 0);
        PumpPending();
        save.samples.push_back(MillisecondsSince(start));

        const Clock::time_point runStart = Clock::now();
        const std::optional<std::vector<Symbol>> symbols = CollectTags(path, kLangCpp);
        ctags.samples.push_back(MillisecondsSince(runStart));
        const Clock::time_point onceStart = Clock::now();
        const std::optional<std::vector<Symbol>> alone =
            RunTagProgram(TagCommandLine(kLangCpp, path), kLangCpp, KindMask::All());
        once.samples.push_back(MillisecondsSince(onceStart));
        if (symbols && alone && !SameSymbols(*symbols, *alone)) {
            std::printf("the waiting ctags and ctags alone disagree\n");
            return 1;
        }
        if (!symbols) {
            std::printf("ctags failed\n");
            return 1;
        }
        const Clock::time_point fillStart = Clock::now();
        ::SendMessageW(tree->Window(), WM_SETREDRAW, FALSE, 0);
        tree->Replace(*symbols);
        ::SendMessageW(tree->Window(), WM_SETREDRAW, TRUE, 0);
        fill.samples.push_back(MillisecondsSince(fillStart));
    }
    // What starting a process costs here, whatever the file.
    const std::wstring tiny = folder + L"tiny.cpp";
    HANDLE tinyFile = ::CreateFileW(tiny.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::WriteFile(tinyFile, "int f();\n", 9, &written, nullptr);
    ::CloseHandle(tinyFile);
    Figures start;
    Figures ask;
    for (int round = 0; round < rounds; ++round) {
        const Clock::time_point runStart = Clock::now();
        RunTagProgram(TagCommandLine(kLangCpp, tiny), kLangCpp, KindMask::All());
        start.samples.push_back(MillisecondsSince(runStart));
        const Clock::time_point askStart = Clock::now();
        CollectTags(tiny, kLangCpp);
        ask.samples.push_back(MillisecondsSince(askStart));
    }
    save.Print("save to refreshed tree");
    ctags.Print("  of which the waiting ctags's answer");
    fill.Print("  of which updating the tree");
    once.Print("ctags started for the file alone");
    start.Print("ctags started for a one-line file");
    ask.Print("the waiting ctags on a one-line file");
    ::DestroyWindow(window);
    return 0;
}
