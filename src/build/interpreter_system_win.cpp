// The interpreter's effects through the system and the build front end's own pieces.
#include "build/interpreter_system.h"

#include <windows.h>
#include <shellapi.h>

#include "base/handles.h"
#include "base/text_convert.h"
#include "build/build_console.h"
#include "build/convert_disk.h"
#include "build/convert_file.h"
#include "build/create_project.h"
#include "build/tarvik_settings.h"

namespace kelpo {

std::wstring SystemInterpreterEffects::DefaultDir() { return ReadTarvikSetting(programFolder_, L"DefaultDir"); }

std::vector<const ToolDef*> SystemInterpreterEffects::InstalledTools() { return kelpo::InstalledTools(programFolder_); }

PathKind SystemInterpreterEffects::KindOf(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::None;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool SystemInterpreterEffects::StartProgram(const std::wstring& commandLine) {
    return StartDetachedProgram(commandLine);
}

bool StartDetachedProgram(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    return true;
}

TextSink SystemInterpreterEffects::AnsiOutput() {
    return [this](std::string_view text) { Print(AnsiToWide(text)); };
}

bool SystemInterpreterEffects::CreateProject(const std::wstring& folder) {
    return kelpo::CreateProject(folder, AnsiOutput(), [this](const std::wstring& path) { return AskReplace(path); });
}

bool SystemInterpreterEffects::ConvertFile(const std::wstring& path) {
    ConvertReports reports;
    reports.output = AnsiOutput();
    reports.askOverwrite = [this](const std::wstring& output) { return AskReplace(output); };
    reports.showError = [this](const std::string& message) { ShowError(AnsiToWide(message), L"Kelpo"); };
    return kelpo::ConvertFile(path, DiskConvertFileAccess(), reports);
}

BuildEnvironment SystemInterpreterEffects::ComposeEnvironment(unsigned code) {
    if (ConfigurationName(code).empty()) {
        return {};
    }
    BuildEnvironment environment = ComposeEnvironmentBlock(code, GatherEnvironmentInputs(code, programFolder_));
    if (!environment.error.empty()) {
        AnsiOutput()(environment.error);
    }
    return environment;
}

bool SystemInterpreterEffects::WriteEnvironmentBatch(const BuildEnvironment& environment) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        Print(L"Error : no temporary folder\n");
        return false;
    }
    return kelpo::WriteEnvironmentBatch(std::wstring(folder, length), environment, AnsiOutput());
}

int SystemInterpreterEffects::OpenBuildConsole(const std::wstring& commandLine, const std::wstring& workingFolder,
                                               bool wait, const BuildEnvironment& environment) {
    return kelpo::OpenBuildConsole(&commandLine, workingFolder, 0, wait, &environment, AnsiOutput());
}

std::optional<std::vector<std::wstring>> SplitArguments(const std::wstring& text) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(text.c_str(), &count);
    if (arguments == nullptr) {
        return std::nullopt;
    }
    const unique_hlocal owned(arguments);
    return std::vector<std::wstring>(arguments, arguments + count);
}

}  // namespace kelpo
