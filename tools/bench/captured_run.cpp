#include "captured_run.h"

#include <memory>

namespace kelpo::bench {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using unique_handle = std::unique_ptr<void, HandleCloser>;

}  // namespace

CapturedRun RunCaptured(std::wstring commandLine, const std::wstring& environment) {
    CapturedRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        return run;
    }
    unique_handle reader(readEnd);
    unique_handle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                          environment.empty() ? nullptr : const_cast<wchar_t*>(environment.c_str()), nullptr,
                          &startup, &process)) {
        return run;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    writer.reset();  // the pipe ends when the program's copies of it are closed
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        run.output.append(buffer, read);
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    return run;
}

std::wstring ToolConfigValue(const std::wstring& toolFolder, const wchar_t* key) {
    wchar_t value[2048] = {};
    ::GetPrivateProfileStringW(L"CONFIG", key, L"", value, 2048, (toolFolder + L"\\config.ini").c_str());
    std::wstring text = value;
    for (std::size_t at = text.find(L"%CD%"); at != std::wstring::npos; at = text.find(L"%CD%", at + toolFolder.size())) {
        text.replace(at, 4, toolFolder);
    }
    return text;
}

}  // namespace kelpo::bench
