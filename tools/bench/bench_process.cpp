// Programs started and timed from outside, as a user starts them.
#include "bench_process.h"

#include <algorithm>

namespace kelpo::bench {
namespace {

struct Search {
    DWORD processId;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (owner == search.processId && ::lstrcmpW(name, search.windowClass) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BenchProcess::BenchProcess(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = commandLine;
    start_ = ProcessClock::now();
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info_)) {
        info_ = PROCESS_INFORMATION{};
    }
}

BenchProcess::~BenchProcess() {
    if (info_.hProcess != nullptr) {
        if (::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(info_.hProcess, 1);
            ::WaitForSingleObject(info_.hProcess, 5000);
        }
        ::CloseHandle(info_.hProcess);
        ::CloseHandle(info_.hThread);
    }
}

HWND BenchProcess::WaitForWindow(const wchar_t* windowClass, int timeoutMs, bool (*ready)(HWND)) const {
    const ProcessClock::time_point until = start_ + std::chrono::milliseconds(timeoutMs);
    while (Started() && ProcessClock::now() < until) {
        Search search{info_.dwProcessId, windowClass, nullptr};
        ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        DWORD_PTR answer = 0;
        if (search.found != nullptr && ::IsWindowVisible(search.found) && (ready == nullptr || ready(search.found)) &&
            ::SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer)) {
            return search.found;
        }
        // Looked at every 10 ms: a closer watch would take the processor from the program watched.
        if (::WaitForSingleObject(info_.hProcess, 10) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
    return nullptr;
}

double BenchProcess::CloseAndWait(HWND window, int timeoutMs) {
    const ProcessClock::time_point start = ProcessClock::now();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return -1;
    }
    return MillisecondsBetween(start, ProcessClock::now());
}

double MillisecondsBetween(ProcessClock::time_point from, ProcessClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring ProgramFolder() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool CopyInto(const std::wstring& file, const std::wstring& folder) {
    const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    return ::CopyFileW(file.c_str(), (folder + name).c_str(), FALSE) != 0;
}

void EmptyFolder(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ::DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace kelpo::bench
