// Start-up benchmark: kelpo.exe and a bare window program (the floor), each started as a process
// the same way, timed from the start to its main window shown, painted and waiting in its loop,
// and for kelpo.exe also to the end of its start: its first document's tab and the explorer's
// first folder are there.
// A second floor shows the same controls as kelpo.exe's window with nothing behind them: what is
// left between kelpo.exe and it is the editor's own work.
// Rounds alternate the three; medians and their ratios are printed. With --trace, one more start of
// kelpo.exe writes where its time went (KELPO_STARTUP_TRACE).
// Usage: kelpo_startup_bench [rounds] [--trace]
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

constexpr int kTimeoutMs = 60000;

struct StartTimes {
    double shown = -1;  // to the shown, idle window
    double over = -1;   // to the end of the start: the first document's tab and the explorer's folder
};

BOOL CALLBACK FindFolderView(HWND child, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    if (std::wstring(name) == L"SHELLDLL_DefView") {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// Kelpo shows the explorer's first folder and opens its documents once the window is shown; its
// start is over when the tab bar holds a tab and the explorer a folder view. A window without a
// tab bar (the floor) is done when shown.
bool StartIsOver(HWND window) {
    HWND tabs = ::FindWindowExW(window, nullptr, L"TabCtrlEx", nullptr);
    if (tabs == nullptr) {
        return true;
    }
    DWORD_PTR count = 0;
    bool folderView = false;
    ::EnumChildWindows(window, FindFolderView, reinterpret_cast<LPARAM>(&folderView));
    return folderView &&
           ::SendMessageTimeoutW(tabs, TCM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kTimeoutMs, &count) && count > 0;
}

// Milliseconds from the start to the shown window and to the end of the start, then closes the
// window; -1 on failure.
StartTimes TimeStart(const std::wstring& program, const std::wstring& folder, const wchar_t* windowClass) {
    BenchProcess process(L"\"" + program + L"\"", folder);
    StartTimes times;
    if (process.WaitForWindow(windowClass, kTimeoutMs) == nullptr) {
        return times;
    }
    const double shown = MillisecondsBetween(process.StartTime(), ProcessClock::now());
    const HWND window = process.WaitForWindow(windowClass, kTimeoutMs, StartIsOver);
    if (window == nullptr) {
        return times;
    }
    times = {shown, MillisecondsBetween(process.StartTime(), ProcessClock::now())};
    process.CloseAndWait(window, kTimeoutMs);
    return times;
}

void PrintLine(const char* name, const std::vector<double>& times) {
    std::printf("  %-34s %7.1f  (%.1f .. %.1f)\n", name, Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
}

void PrintTrace(const std::wstring& program, const std::wstring& folder) {
    const std::wstring traceFile = folder + L"startup-trace.txt";
    ::DeleteFileW(traceFile.c_str());
    ::SetEnvironmentVariableW(L"KELPO_STARTUP_TRACE", traceFile.c_str());
    TimeStart(program, folder, L"KelpoWindow");
    ::SetEnvironmentVariableW(L"KELPO_STARTUP_TRACE", nullptr);
    std::FILE* trace = _wfopen(traceFile.c_str(), L"r");
    if (trace == nullptr) {
        std::printf("no trace written\n");
        return;
    }
    std::printf("where kelpo.exe's start-up went (ms since the process was created):\n");
    char line[256];
    while (std::fgets(line, sizeof(line), trace) != nullptr) {
        std::printf("  %s", line);
    }
    std::fclose(trace);
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    int rounds = 15;
    bool trace = false;
    for (int i = 1; i < count; ++i) {
        if (std::wstring(argv[i]) == L"--trace") {
            trace = true;
        } else {
            rounds = std::max(1, _wtoi(argv[i]));
        }
    }
    ::LocalFree(argv);

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kelpo-startup-bench\\";
    EmptyFolder(folder);
    const std::wstring bin = ProgramFolder();
    if (!CopyInto(bin + L"kelpo.exe", folder) || !CopyInto(bin + L"kelpo_startup_floor.exe", folder) ||
        !CopyInto(bin + L"kelpo_startup_controls_floor.exe", folder)) {
        std::printf("cannot copy the programs into %ls\n", folder.c_str());
        return 1;
    }
    const std::wstring kelpo = folder + L"kelpo.exe";
    const std::wstring floor = folder + L"kelpo_startup_floor.exe";
    const std::wstring controlsFloor = folder + L"kelpo_startup_controls_floor.exe";
    // A first start of each, not counted: the files kelpo writes on its first start, the caches.
    TimeStart(kelpo, folder, L"KelpoWindow");
    TimeStart(floor, folder, L"KelpoStartupFloor");
    TimeStart(controlsFloor, folder, L"KelpoStartupControlsFloor");

    std::vector<double> kelpoShown;
    std::vector<double> kelpoOver;
    std::vector<double> floorTimes;
    std::vector<double> controlsTimes;
    std::vector<double> controlsRatios;       // kelpo.exe shown / same controls
    std::vector<double> controlsFloorRatios;  // same controls / bare window
    std::vector<double> shownRatios;
    std::vector<double> overRatios;
    for (int round = 0; round < rounds; ++round) {
        const StartTimes k = TimeStart(kelpo, folder, L"KelpoWindow");
        const StartTimes f = TimeStart(floor, folder, L"KelpoStartupFloor");
        const StartTimes c = TimeStart(controlsFloor, folder, L"KelpoStartupControlsFloor");
        if (k.over < 0 || f.shown < 0 || c.shown < 0) {
            std::printf("round %d failed (kelpo %.0f, floor %.0f, controls floor %.0f)\n", round + 1, k.over, f.shown,
                        c.shown);
            return 1;
        }
        kelpoShown.push_back(k.shown);
        kelpoOver.push_back(k.over);
        floorTimes.push_back(f.shown);
        controlsTimes.push_back(c.shown);
        controlsRatios.push_back(k.shown / c.shown);
        controlsFloorRatios.push_back(c.shown / f.shown);
        shownRatios.push_back(k.shown / f.shown);
        overRatios.push_back(k.over / f.shown);
    }
    std::printf("start-up, %d rounds, median (min .. max) ms\n", rounds);
    PrintLine("kelpo.exe: window shown and idle", kelpoShown);
    PrintLine("kelpo.exe: start over", kelpoOver);
    PrintLine("bare window: shown and idle", floorTimes);
    PrintLine("same controls bare: shown and idle", controlsTimes);
    std::printf("  ratio shown %.2fx, start over %.2fx (medians of the pairs' ratios; target 1.3x)\n",
                Median(shownRatios), Median(overRatios));
    std::printf("  same controls bare / bare window %.2fx; kelpo.exe shown / same controls bare %.2fx\n",
                Median(controlsFloorRatios), Median(controlsRatios));
    if (trace) {
        PrintTrace(kelpo, folder);
    }
    return 0;
}
