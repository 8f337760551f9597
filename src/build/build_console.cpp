// Opening build consoles and writing the environment batch file.
#include "build/build_console.h"

#include <windows.h>

#include "base/file_write.h"
#include "base/handles.h"
#include "base/text_convert.h"

namespace kelpo {
namespace {

void Say(const TextSink& out, const std::string& text) {
    if (out) {
        out(text);
    }
}

}  // namespace

int OpenBuildConsole(const std::wstring* commandLine, const std::wstring& workingFolder, unsigned code, bool wait,
                     const BuildEnvironment* environment, const TextSink& out) {
    const std::wstring command = commandLine != nullptr ? *commandLine : L"cmd.exe /K cls";
    BuildEnvironment composed;
    if (environment == nullptr) {
        composed = ComposeEnvironment(code);
        environment = &composed;
    }
    if (environment->block.empty()) {
        Say(out, environment->error.empty() ? "Error : no environment for this configuration\n" : environment->error);
        return 1;
    }
    std::wstring title = L"Tarvik " + environment->configurationName;
    std::wstring mutableCommand = command;
    std::wstring block = environment->block;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    startup.lpTitle = title.data();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE,
                          CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_CONSOLE, block.data(),
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        Say(out, "Create process \"" + WideToAnsi(command) + "\" failed! ErrorCode=" +
                     std::to_string(::GetLastError()) + "\n");
        return 1;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    if (!wait) {
        return 0;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    if (exitCode != 0) {
        Say(out, "Run \"" + WideToAnsi(command) + "\" failed! ExitCode=" + std::to_string(exitCode) + "\n");
    }
    return static_cast<int>(exitCode);
}

bool OpenPlainConsole(const std::wstring& workingFolder) {
    std::wstring command = L"cmd.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        return false;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    return true;
}

std::string EnvironmentBatchText(std::wstring_view configurationName, std::wstring_view block) {
    std::string text = "@echo off\r\ntitle=Tarvik " + WideToAnsi(configurationName) + "\r\n";
    std::size_t start = 0;
    while (start < block.size() && block[start] != L'\0') {
        std::size_t end = block.find(L'\0', start);
        if (end == std::wstring_view::npos) {
            end = block.size();
        }
        text += "set " + WideToAnsi(block.substr(start, end - start)) + "\r\n";
        start = end + 1;
    }
    return text;
}

bool WriteEnvironmentBatch(const std::wstring& tempFolder, const BuildEnvironment& environment, const TextSink& out) {
    const std::wstring path = tempFolder + L"tarvik_env.bat";
    if (!WriteWholeFile(path, EnvironmentBatchText(environment.configurationName, environment.block))) {
        Say(out, "Error : cannot write " + WideToAnsi(path) + "\n");
        return false;
    }
    Say(out, "Please type \"%tmp%\\tarvik_env\", and press enter.\n");
    return true;
}

}  // namespace kelpo
