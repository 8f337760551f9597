// Start-up benchmark: kelpo.exe and a bare window program (the floor), each started as a process
// the same way, timed from the start to its main window shown, painted and waiting in its loop.
// Rounds alternate the two; medians and their ratio are printed. With --trace, one more start of
// kelpo.exe writes where its time went (KELPO_STARTUP_TRACE).
// Usage: kelpo_startup_bench [rounds] [--trace]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_process.h"

namespace {

using namespace kelpo::bench;

constexpr int kTimeoutMs = 60000;

// Milliseconds from the start to the shown, idle window, then closes it; -1 on failure.
double TimeStart(const std::wstring& program, const std::wstring& folder, const wchar_t* windowClass) {
    BenchProcess process(L"\"" + program + L"\"", folder);
    const HWND window = process.WaitForWindow(windowClass, kTimeoutMs);
    if (window == nullptr) {
        return -1;
    }
    const double milliseconds = MillisecondsBetween(process.StartTime(), ProcessClock::now());
    process.CloseAndWait(window, kTimeoutMs);
    return milliseconds;
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
    if (!CopyInto(bin + L"kelpo.exe", folder) || !CopyInto(bin + L"kelpo_startup_floor.exe", folder)) {
        std::printf("cannot copy the programs into %ls\n", folder.c_str());
        return 1;
    }
    const std::wstring kelpo = folder + L"kelpo.exe";
    const std::wstring floor = folder + L"kelpo_startup_floor.exe";
    // A first start of each, not counted: the files kelpo writes on its first start, the caches.
    TimeStart(kelpo, folder, L"KelpoWindow");
    TimeStart(floor, folder, L"KelpoStartupFloor");

    std::vector<double> kelpoTimes;
    std::vector<double> floorTimes;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const double k = TimeStart(kelpo, folder, L"KelpoWindow");
        const double f = TimeStart(floor, folder, L"KelpoStartupFloor");
        if (k < 0 || f < 0) {
            std::printf("round %d failed (kelpo %.0f, floor %.0f)\n", round + 1, k, f);
            return 1;
        }
        kelpoTimes.push_back(k);
        floorTimes.push_back(f);
        ratios.push_back(k / f);
    }
    std::printf("start-up to the shown, idle main window, %d rounds, median (min .. max) ms\n", rounds);
    std::printf("  kelpo.exe   %7.1f  (%.1f .. %.1f)\n", Median(kelpoTimes),
                *std::min_element(kelpoTimes.begin(), kelpoTimes.end()),
                *std::max_element(kelpoTimes.begin(), kelpoTimes.end()));
    std::printf("  bare window %7.1f  (%.1f .. %.1f)\n", Median(floorTimes),
                *std::min_element(floorTimes.begin(), floorTimes.end()),
                *std::max_element(floorTimes.begin(), floorTimes.end()));
    std::printf("  ratio       %7.2fx (median of the pairs' ratios; target 1.3x)\n", Median(ratios));
    if (trace) {
        PrintTrace(kelpo, folder);
    }
    return 0;
}
