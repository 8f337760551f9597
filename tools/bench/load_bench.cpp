// How long opening a large file takes and how much memory it needs: encoding detection,
// conversion, the whole LoadFile, and a bare SCI_ADDTEXT of the same text for comparison.
// Usage: kelpo_load_bench [--with-500]   (the 500 MB files need several GB and minutes)
// Each measurement runs in a child process of its own, so that every peak is its own.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "captured_run.h"
#include "base/app_state.h"
#include "base/message_box.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document.h"
#include "doc/encoding_detection.h"
#include "doc/file_codec.h"
#include "doc/file_load.h"
#include "lang/editor_view.h"
#include "lang/view_setup.h"

namespace {

using namespace kelpo;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMiB = 1024 * 1024;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// ---- files -------------------------------------------------------------------------------

struct Kind {
    const char* name;
    const char* mark;      // written once at the start
    std::string pattern;   // repeated up to the size
};

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::vector<Kind> Kinds() {
    return {
        {"ASCII", "",
         "    for (int i = 0; i < count; ++i) { total += values[i] * weight; }  // sum\r\n"
         "static const char* kName = \"example\";\r\n"},
        {"UTF-8", "",
         "L'\xC3\xA9t\xC3\xA9 \xC3\xA0 la for\xC3\xAAt, o\xC3\xB9 le gar\xC3\xA7on na\xC3\xAF" "f mange une "
         "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e.\r\n"},
        {"UTF-8 BOM", "\xEF\xBB\xBF",
         "L'\xC3\xA9t\xC3\xA9 \xC3\xA0 la for\xC3\xAAt, int main(void) { return 0; }\r\n"},
        {"UTF-16 LE", "\xFF\xFE",
         Utf16(u"L'\u00E9t\u00E9 \u00E0 la for\u00EAt, int main(void) { return 0; }\r\n", false)},
        {"UTF-16 BE", "\xFE\xFF",
         Utf16(u"L'\u00E9t\u00E9 \u00E0 la for\u00EAt, int main(void) { return 0; }\r\n", true)},
        {"ANSI", "",
         "L'\xE9t\xE9 \xE0 la for\xEAt, o\xF9 le gar\xE7on na\xEF" "f mange une cr\xE8me br\xFBl\xE9" "e.\r\n"},
    };
}

// Whole patterns only, so that no character is cut at the end (a cut UTF-8 sequence would make
// the file ANSI); the size is reached within one pattern.
bool WriteGeneratedFile(const std::wstring& path, const Kind& kind, std::size_t size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string block;
    while (block.size() < 4 * kMiB) {
        block += kind.pattern;
    }
    const std::string_view mark = kind.mark;
    DWORD written = 0;
    bool ok = ::WriteFile(file, mark.data(), static_cast<DWORD>(mark.size()), &written, nullptr) != 0;
    std::size_t done = mark.size();
    while (ok && done + kind.pattern.size() <= size) {
        std::size_t piece = std::min(block.size(), size - done);
        piece -= piece % kind.pattern.size();
        ok = ::WriteFile(file, block.data(), static_cast<DWORD>(piece), &written, nullptr) && written == piece;
        done += piece;
    }
    ::CloseHandle(file);
    return ok;
}

// ---- child: one measurement ---------------------------------------------------------------

struct Memory {
    double peakWorkingSetMiB = 0;
    double peakCommitMiB = 0;
};

Memory PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return {static_cast<double>(counters.PeakWorkingSetSize) / kMiB,
            static_cast<double>(counters.PeakPagefileUsage) / kMiB};
}

std::unique_ptr<EditorView> CreateView(HWND parent) {
    std::unique_ptr<EditorView> view = EditorView::Create(parent, 0xF000);
    if (view) {
        SetUpViewForEditing(*view);
    }
    return view;
}

HWND CreateHiddenParent() {
    return ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    if (file != INVALID_HANDLE_VALUE && ::GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
    }
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
    return bytes;
}

// Prints: loaded, load ms, peak working set, peak commit, and the two peaks' growth during the load
// (what the load itself needed above the process with its empty view).
int MeasureWholeLoad(const std::wstring& path) {
    HWND parent = CreateHiddenParent();
    Document document;
    document.view = CreateView(parent);
    if (!document.view) {
        return 1;
    }
    SetMessageHook([](UINT, const std::wstring&) { return IDOK; });  // "larger than 60 MB: open it?"
    const Memory before = PeakMemory();
    const Clock::time_point start = Clock::now();
    const bool loaded = LoadFile(document, path);
    const double milliseconds = MillisecondsSince(start);
    const Memory memory = PeakMemory();
    std::printf("%d %.1f %.1f %.1f %.1f %.1f\n", loaded ? 1 : 0, milliseconds, memory.peakWorkingSetMiB,
                memory.peakCommitMiB, memory.peakWorkingSetMiB - before.peakWorkingSetMiB,
                memory.peakCommitMiB - before.peakCommitMiB);
    return 0;
}

// Prints: detection ms, decode ms (detection + conversion), bare SCI_ADDTEXT ms.
int MeasureParts(const std::wstring& path) {
    HWND parent = CreateHiddenParent();
    std::unique_ptr<EditorView> view = CreateView(parent);
    if (!view) {
        return 1;
    }
    std::string bytes = ReadBytes(path);
    Clock::time_point start = Clock::now();
    const EncodingDetection detection = DetectEncoding(bytes, FileEncoding::Ansi, false);
    const double detect = MillisecondsSince(start);

    start = Clock::now();
    std::optional<DecodedFile> decoded = DecodeFileBytes(std::move(bytes), LoadOptions{}, SystemAnsiCodePage());
    const double decode = MillisecondsSince(start);
    if (!decoded || decoded->encoding != detection.encoding) {
        return 1;
    }

    view->Call(SCI_SETUNDOCOLLECTION, 0);
    start = Clock::now();
    view->Call(SCI_ADDTEXT, decoded->text.size(), reinterpret_cast<sptr_t>(decoded->text.data()));
    const double addText = MillisecondsSince(start);
    std::printf("%.1f %.1f %.1f\n", detect, decode, addText);
    return 0;
}

// ---- parent: files and children ------------------------------------------------------------

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return wide;
}

// Runs this program again with the arguments; its first output line, or empty on failure.
std::string RunChild(const std::wstring& arguments) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string output =
        kelpo::bench::RunCaptured(L"\"" + std::wstring(self) + L"\" " + arguments, std::wstring()).output;
    return output.substr(0, output.find('\n'));
}

// The machine is shared and timings jitter: each child runs several times and the best of each
// figure is kept.
constexpr int kRuns = 3;

void MeasureFile(const std::wstring& path, const Kind& kind, std::size_t size) {
    // detect, decode, add, load, WS, commit, WS growth, commit growth
    double best[8] = {1e30, 1e30, 1e30, 1e30, 1e30, 1e30, 1e30, 1e30};
    for (int run = 0; run < kRuns; ++run) {
        const std::string whole = RunChild(L"--load \"" + path + L"\"");
        const std::string parts = RunChild(L"--parts \"" + path + L"\"");
        int loaded = 0;
        double figures[8] = {};
        if (std::sscanf(parts.c_str(), "%lf %lf %lf", &figures[0], &figures[1], &figures[2]) != 3 ||
            std::sscanf(whole.c_str(), "%d %lf %lf %lf %lf %lf", &loaded, &figures[3], &figures[4], &figures[5],
                        &figures[6], &figures[7]) != 6 ||
            !loaded) {
            std::printf("%4zu MB  %-9s  measurement failed (%s | %s)\n", size / kMiB, kind.name, whole.c_str(),
                        parts.c_str());
            return;
        }
        for (int i = 0; i < 8; ++i) {
            best[i] = std::min(best[i], figures[i]);
        }
    }
    const double detect = best[0], decode = best[1], addText = best[2], load = best[3];
    const double mib = static_cast<double>(size) / kMiB;
    std::printf("%4zu MB  %-9s  %9.1f  %10.1f  %10.1f  %10.1f  %6.2fx  %9.0f  %9.0f  %8.2fx  %8.2fx\n", size / kMiB,
                kind.name, detect, std::max(0.0, decode - detect), addText, load, load / addText, best[4], best[5],
                best[6] / mib, best[7] / mib);
    std::fflush(stdout);
}

std::wstring FileNameOf(const char* kindName) {
    std::wstring name = Widen(kindName);
    std::replace(name.begin(), name.end(), L' ', L'-');
    return name;
}

int RunAll(bool with500) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::vector<std::size_t> sizes = {1 * kMiB, 60 * kMiB};
    if (with500) {
        sizes.push_back(500 * kMiB);
    }
    std::printf("   size  encoding   detect ms  convert ms  addtext ms     load ms  load/add  peak WS MB  peak commit MB"
                "  WS/size  commit/size\n");
    std::printf("   (WS/size, commit/size: the growth of the peak during the load over the file size)\n");
    for (std::size_t size : sizes) {
        for (const Kind& kind : Kinds()) {
            const std::wstring path = std::wstring(temp) + L"kelpo-bench-" + std::to_wstring(size / kMiB) + L"-" +
                                      FileNameOf(kind.name) + L".txt";
            if (!WriteGeneratedFile(path, kind, size)) {
                std::printf("cannot write %ls\n", path.c_str());
                return 1;
            }
            MeasureFile(path, kind, size);
            ::DeleteFileW(path.c_str());
        }
    }
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::wstring mode = count > 1 ? argv[1] : L"";
    const std::wstring path = count > 2 ? argv[2] : L"";
    ::LocalFree(argv);
    if (mode == L"--load" || mode == L"--parts") {
        Scintilla_RegisterClasses(::GetModuleHandleW(nullptr));
        const int result = mode == L"--load" ? MeasureWholeLoad(path) : MeasureParts(path);
        std::fflush(stdout);
        return result;
    }
    return RunAll(mode == L"--with-500");
}
