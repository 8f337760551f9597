// Unhandled-exception filter writing "kelpo.dmp" beside the executable.
#include "app/crash_guard.h"

#include <windows.h>
#include <dbghelp.h>

#include <atomic>

#include "base/handles.h"
#include "base/system_library.h"

namespace kelpo {
namespace {

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                                PMINIDUMP_EXCEPTION_INFORMATION, PMINIDUMP_USER_STREAM_INFORMATION,
                                                PMINIDUMP_CALLBACK_INFORMATION);

std::atomic<MiniDumpWriteDumpFunction> g_writeDump{nullptr};

MiniDumpWriteDumpFunction FindWriteDump() {
    return reinterpret_cast<MiniDumpWriteDumpFunction>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"dbghelp.dll", "MiniDumpWriteDump")));
}

// Runs in a damaged process: no heap allocation, fixed buffers only. A crash before the dump
// writer was looked up loads it here, which may fail in a damaged process; the process ends
// either way.
LONG WINAPI WriteMinidumpAndExit(EXCEPTION_POINTERS* exception) {
    MiniDumpWriteDumpFunction writeDump = g_writeDump.load();
    if (writeDump == nullptr) {
        writeDump = FindWriteDump();
    }
    wchar_t path[MAX_PATH + 16] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\') {
        --length;
    }
    ::lstrcpynW(path + length, L"kelpo.dmp", 16);
    unique_hfile file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && writeDump != nullptr) {
        MINIDUMP_EXCEPTION_INFORMATION info{};
        info.ThreadId = ::GetCurrentThreadId();
        info.ExceptionPointers = exception;
        info.ClientPointers = FALSE;
        writeDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file.get(), MiniDumpNormal,
                  exception != nullptr ? &info : nullptr, nullptr, nullptr);
    }
    ::TerminateProcess(::GetCurrentProcess(), 0xC0DE);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashGuard() { ::SetUnhandledExceptionFilter(WriteMinidumpAndExit); }

void PrepareCrashDumps() { g_writeDump.store(FindWriteDump()); }

}  // namespace kelpo
