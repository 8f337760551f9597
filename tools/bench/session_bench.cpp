// Session benchmark: 100 C++ files of 30 KB opened from the command line, the window closed (the
// session written), the session restored at the next start and closed again, each timed from
// outside against a floor program that makes 100 editing-component windows and loads the same
// texts. Rounds; medians and ratios are printed.
// Usage: kelpo_session_bench [rounds] [--restore-only]   (KELPO_STARTUP_TRACE, when set, reaches
// kelpo.exe). --restore-only writes the session of the 100 files itself instead of opening them
// from the command line first.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_process.h"

namespace {

using namespace kelpo::bench;

constexpr int kFileCount = 100;
constexpr std::size_t kFileSize = 30 * 1024;
constexpr int kTimeoutMs = 600000;

std::string Narrow(const std::wstring& wide) {
    std::string text;
    for (wchar_t c : wide) {
        text += static_cast<char>(c);  // the scratch paths are ASCII
    }
    return text;
}

bool WriteText(const std::wstring& path, const std::string& text) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    ::CloseHandle(file);
    return ok;
}

// A C++ source of about 30 KB whose functions differ from file to file.
std::string CppSource(int number) {
    std::string text = "// Generated source " + std::to_string(number) + "\r\n#include <vector>\r\n#include <string>\r\n\r\n"
                       "namespace generated {\r\n\r\n";
    for (int f = 0; text.size() < kFileSize - 200; ++f) {
        const std::string name = "Function" + std::to_string(number) + "_" + std::to_string(f);
        text += "// Adds the weighted values of " + name + ".\r\n"
                "int " + name + "(const std::vector<int>& values, int weight) {\r\n"
                "    int total = 0;\r\n"
                "    for (std::size_t i = 0; i < values.size(); ++i) {\r\n"
                "        total += values[i] * weight + " + std::to_string(f) + ";  /* keep */\r\n"
                "    }\r\n"
                "    return total;\r\n"
                "}\r\n\r\n";
    }
    text += "}  // namespace generated\r\n";
    return text;
}

int TabCount(HWND window) {
    HWND tabs = ::FindWindowExW(window, nullptr, L"TabCtrlEx", nullptr);
    DWORD_PTR count = 0;
    if (tabs == nullptr || !::SendMessageTimeoutW(tabs, TCM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 60000, &count)) {
        return -1;
    }
    return static_cast<int>(count);
}

bool AllTabsOpen(HWND window) { return TabCount(window) == kFileCount; }

bool FloorReady(HWND window) {
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    return std::wstring(title) == L"Floor ready";
}

struct Timing {
    double ready = -1;  // start to the window shown with every document, idle
    double close = -1;  // WM_CLOSE to the end of the process
};

Timing TimeRun(const std::wstring& commandLine, const std::wstring& folder, const wchar_t* windowClass,
               bool (*ready)(HWND)) {
    Timing timing;
    BenchProcess process(commandLine, folder);
    const HWND window = process.WaitForWindow(windowClass, kTimeoutMs, ready);
    if (window == nullptr) {
        return timing;
    }
    timing.ready = MillisecondsBetween(process.StartTime(), ProcessClock::now());
    timing.close = process.CloseAndWait(window, kTimeoutMs);
    return timing;
}

// The session kelpo writes for the files, the last one selected.
std::string SessionXml(const std::vector<std::string>& paths) {
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<kelpo>\r\n";
    for (std::size_t i = 0; i < paths.size(); ++i) {
        xml += std::string("    <file line=\"0\" startpos=\"0\" endpos=\"0\" xoffset=\"0\" mark=\"\"") +
               (i + 1 == paths.size() ? " cursel=\"1\"" : "") + ">" + paths[i] + "</file>\r\n";
    }
    return xml + "</kelpo>\r\n";
}

struct Series {
    const char* name;
    std::vector<double> values;
};

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    int rounds = 3;
    bool restoreOnly = false;
    for (int i = 1; i < count; ++i) {
        if (std::wstring(argv[i]) == L"--restore-only") {
            restoreOnly = true;
        } else {
            rounds = std::max(1, _wtoi(argv[i]));
        }
    }
    ::LocalFree(argv);

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kelpo-session-bench\\";
    const std::wstring files = folder + L"files\\";
    EmptyFolder(folder);
    EmptyFolder(files);
    const std::wstring bin = ProgramFolder();
    if (!CopyInto(bin + L"kelpo.exe", folder) || !CopyInto(bin + L"kelpo_session_floor.exe", folder)) {
        std::printf("cannot copy the programs into %ls\n", folder.c_str());
        return 1;
    }
    // The symbol list tags each opened file, as it does where kelpo is installed with its ctags.
    if (!CopyInto(bin + L"ctags.exe", folder)) {
        std::printf("no ctags.exe beside the benchmark: each opened file tries to start it in vain\n");
    }
    std::wstring arguments;
    std::string list;
    std::vector<std::string> sessionPaths;
    for (int i = 0; i < kFileCount; ++i) {
        wchar_t name[32];
        ::swprintf(name, 32, L"source%03d.cpp", i);
        const std::wstring path = files + name;
        if (!WriteText(path, CppSource(i))) {
            std::printf("cannot write %ls\n", path.c_str());
            return 1;
        }
        arguments += L" \"" + path + L"\"";
        list += Narrow(path) + "\r\n";
        sessionPaths.push_back(Narrow(path));
    }
    const std::wstring listFile = folder + L"files.txt";
    WriteText(listFile, list);
    const std::wstring kelpo = L"\"" + folder + L"kelpo.exe\"";
    const std::wstring floor = L"\"" + folder + L"kelpo_session_floor.exe\" \"" + listFile + L"\"";
    const std::wstring session = folder + L"session.xml";

    Series openReady{"open 100 files from the command line"}, openClose{"close after opening"},
        restoreReady{"restore the session of 100 files"}, restoreClose{"close after restoring"},
        floorReady{"floor: 100 views loaded"}, floorClose{"floor: close"};
    // With more than one round a first one, not counted, warms the caches.
    const int firstCounted = rounds > 1 ? 1 : 0;
    for (int round = 1 - firstCounted; round <= rounds; ++round) {
        ::DeleteFileW(session.c_str());
        Timing open;
        if (restoreOnly) {
            WriteText(session, SessionXml(sessionPaths));
            open.ready = open.close = 0;
        } else {
            open = TimeRun(kelpo + arguments, folder, L"KelpoWindow", AllTabsOpen);
        }
        const Timing restore = TimeRun(kelpo, folder, L"KelpoWindow", AllTabsOpen);
        const Timing bare = TimeRun(floor, folder, L"KelpoSessionFloor", FloorReady);
        std::printf("round %d%s: open %.0f close %.0f | restore %.0f close %.0f | floor %.0f close %.0f ms\n", round,
                    round < firstCounted ? " (first, not counted)" : "", open.ready, open.close, restore.ready, restore.close,
                    bare.ready, bare.close);
        std::fflush(stdout);
        if (open.close < 0 || restore.close < 0 || bare.close < 0) {
            std::printf("a run failed\n");
            return 1;
        }
        if (round < firstCounted) {
            continue;
        }
        openReady.values.push_back(open.ready);
        openClose.values.push_back(open.close);
        restoreReady.values.push_back(restore.ready);
        restoreClose.values.push_back(restore.close);
        floorReady.values.push_back(bare.ready);
        floorClose.values.push_back(bare.close);
    }
    std::printf("\n%d files of %zu KB, %d rounds, medians in ms:\n", kFileCount, kFileSize / 1024, rounds);
    for (const Series* s : {&openReady, &openClose, &restoreReady, &restoreClose, &floorReady, &floorClose}) {
        std::printf("  %-40s %8.0f\n", s->name, Median(s->values));
    }
    const double floorOpen = Median(floorReady.values);
    const double floorEnd = Median(floorClose.values);
    std::printf("  open / floor     %6.2fx\n", Median(openReady.values) / floorOpen);
    std::printf("  restore / floor  %6.2fx  (target 1.5x)\n", Median(restoreReady.values) / floorOpen);
    std::printf("  close / floor    %6.2fx  after opening, %.2fx after restoring (target 1.5x)\n",
                Median(openClose.values) / floorEnd, Median(restoreClose.values) / floorEnd);
    return 0;
}
