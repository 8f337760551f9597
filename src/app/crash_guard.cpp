// Unhandled-exception filter writing "kelpo.dmp" beside the executable.
#include "app/crash_guard.h"

#include <windows.h>
#include <dbghelp.h>

#include "base/handles.h"

namespace kelpo {
namespace {

// Runs in a damaged process: no heap allocation, fixed buffers only.
LONG WINAPI WriteMinidumpAndExit(EXCEPTION_POINTERS* exception) {
    wchar_t path[MAX_PATH + 16] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\') {
        --length;
    }
    ::lstrcpynW(path + length, L"kelpo.dmp", 16);
    unique_hfile file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        MINIDUMP_EXCEPTION_INFORMATION info{};
        info.ThreadId = ::GetCurrentThreadId();
        info.ExceptionPointers = exception;
        info.ClientPointers = FALSE;
        ::MiniDumpWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file.get(), MiniDumpNormal,
                            exception != nullptr ? &info : nullptr, nullptr, nullptr);
    }
    ::TerminateProcess(::GetCurrentProcess(), 0xC0DE);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashGuard() { ::SetUnhandledExceptionFilter(WriteMinidumpAndExit); }

}  // namespace kelpo
