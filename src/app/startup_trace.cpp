// The start-up trace: the file is opened for each line, so that a start that ends early still
// leaves what it reached.
#include "app/startup_trace.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace kelpo {
namespace {

struct Trace {
    std::wstring file;
    ULONGLONG created = 0;  // 100 ns units
};

ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

const Trace& TheTrace() {
    static const Trace trace = [] {
        Trace t;
        wchar_t file[MAX_PATH] = {};
        const DWORD length = ::GetEnvironmentVariableW(L"KELPO_STARTUP_TRACE", file, MAX_PATH);
        FILETIME created{}, exited{}, kernel{}, user{};
        if (length > 0 && length < MAX_PATH &&
            ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
            t.file = file;
            t.created = Ticks(created);
        }
        return t;
    }();
    return trace;
}

}  // namespace

void TraceStartup(const char* step) {
    const Trace& trace = TheTrace();
    if (trace.file.empty()) {
        return;
    }
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const double milliseconds = static_cast<double>(Ticks(now) - trace.created) / 10000.0;
    if (std::FILE* out = _wfopen(trace.file.c_str(), L"a")) {
        std::fprintf(out, "%8.1f  %s\n", milliseconds, step);
        std::fclose(out);
    }
}

}  // namespace kelpo
