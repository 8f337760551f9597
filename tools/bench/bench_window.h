// What the benchmarks that time a real main window share: a clock, pumping the waiting messages,
// and the main window started as the program starts it, with its files in a scratch folder.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace kelpo::bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the messages that are waiting, the repaint of a change among them.
void PumpPending();

// A folder of this name under the temporary folder, made when missing; with a trailing backslash.
std::wstring ScratchFolder(const wchar_t* name);

// The main window with its settings and files in `folder`, once start-up has finished (at most ten
// seconds); nullptr when it could not be made.
HWND StartBenchWindow(const std::wstring& folder);

}  // namespace kelpo::bench
