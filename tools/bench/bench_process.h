// What the benchmarks that time whole programs share: starting a program as a process of its own,
// waiting for its main window to be shown and idle, closing it, and the median of rounds.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace kelpo::bench {

using ProcessClock = std::chrono::steady_clock;

// A started program; its handles are closed with it.
class BenchProcess {
public:
    // Starts the command line in the folder; Started() tells whether it ran.
    BenchProcess(const std::wstring& commandLine, const std::wstring& folder);
    BenchProcess(const BenchProcess&) = delete;
    BenchProcess& operator=(const BenchProcess&) = delete;
    ~BenchProcess();

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    ProcessClock::time_point StartTime() const { return start_; }

    // The top-level window of the class that belongs to this process, once visible and once its
    // thread answers a message (it has been painted and waits in its loop); `ready`, when given,
    // must also hold. nullptr after the timeout.
    HWND WaitForWindow(const wchar_t* windowClass, int timeoutMs, bool (*ready)(HWND) = nullptr) const;
    // Asks the window to close and waits for the process to end; milliseconds it took, or -1.
    double CloseAndWait(HWND window, int timeoutMs);

private:
    PROCESS_INFORMATION info_{};
    ProcessClock::time_point start_;
};

double MillisecondsBetween(ProcessClock::time_point from, ProcessClock::time_point to);
double Median(std::vector<double> values);

// The folder this program lies in, with a trailing backslash.
std::wstring ProgramFolder();
// Copies the file and makes a fresh folder (emptied of the files it held) for a program run.
bool CopyInto(const std::wstring& file, const std::wstring& folder);
void EmptyFolder(const std::wstring& folder);

}  // namespace kelpo::bench
