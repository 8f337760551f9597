// Running tcc.exe for the driver programs.
#include "driver_run.h"

#include "base/handles.h"
#include "command_line.h"

#include <cstdio>
#include <windows.h>

namespace toolchain {

namespace {

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<unsigned long> RunCapturing(const std::string& program, const std::vector<std::string>& arguments,
                                          std::string& output, const std::string& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readRaw = nullptr;
    HANDLE writeRaw = nullptr;
    if (!CreatePipe(&readRaw, &writeRaw, &inherit, 0)) {
        return std::nullopt;
    }
    kelpo::unique_handle readEnd(readRaw);
    kelpo::unique_handle writeEnd(writeRaw);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    kelpo::unique_hfile nul(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                        OPEN_EXISTING, 0, nullptr));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::string commandLine = JoinCommandLine(words);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return std::nullopt;
    }
    kelpo::unique_handle processHandle(process.hProcess);
    kelpo::unique_handle threadHandle(process.hThread);
    writeEnd.reset();  // the child holds the only write end now, so the read ends when it exits

    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(processHandle.get(), &exitCode)) {
        exitCode = 1;
    }
    return exitCode;
}

namespace {

void PrintTranslated(const std::string& output, Tool tool) {
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) {
            end = output.size();
        }
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        PrintLine(TranslateTccMessage(line, tool));
        start = end + 1;
    }
}

int DoRun(const TccRun& run, const std::string& tcc, Tool tool, bool showIncludes) {
    if (!run.source.empty()) {
        PrintLine(FileName(run.source));  // cl names each source before compiling it
    }
    // No stale output may pass for this run's.
    DeleteFileA(run.output.c_str());
    std::string output;
    const std::optional<unsigned long> exitCode = RunCapturing(tcc, run.arguments, output, {});
    if (!exitCode) {
        PrintLine(std::string(tool == Tool::Compiler ? "cl : fatal error C1000" : "LINK : fatal error LNK1000") +
                  ": cannot start " + tcc);
        return 2;
    }
    PrintTranslated(output, tool);
    int result = static_cast<int>(*exitCode);
    if (result == 0 && !FileExists(run.output)) {
        PrintLine(FileName(run.output) + " : fatal error " + (tool == Tool::Compiler ? "C1083" : "LNK1104") +
                  ": tcc wrote no output");
        result = 1;
    }
    if (!run.depfile.empty()) {
        if (result == 0 && showIncludes) {
            const std::optional<std::string> list = ReadWholeFile(run.depfile);
            for (const std::string& header : IncludedFiles(list.value_or(""), CurrentFolder())) {
                PrintLine(ShowIncludesLine(header));
            }
        }
        DeleteFileA(run.depfile.c_str());
    }
    if (result != 0) {
        DeleteFileA(run.output.c_str());
    }
    return result;
}

}  // namespace

std::optional<std::vector<std::string>> DriverArguments(int argc, char** argv, const char* toolName) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string missing;
    std::vector<std::string> expanded = ExpandResponseFiles(arguments, ReadWholeFile, missing);
    if (!missing.empty()) {
        PrintLine(std::string(toolName) + " : fatal error: cannot open response file '" + missing + "'");
        return std::nullopt;
    }
    return expanded;
}

std::string EnvironmentValue(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name, value.data(), size));
    return value;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    kelpo::unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int ExecutePlan(const DriverPlan& plan, Tool tool) {
    for (const std::string& warning : plan.warnings) {
        PrintLine(warning);
    }
    if (!plan.error.empty()) {
        PrintLine(plan.error);
        return 2;
    }
    const std::string tcc = ProgramFolder() + "\\tcc.exe";
    for (const TccRun& run : plan.runs) {
        const int result = DoRun(run, tcc, tool, plan.showIncludes);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

}  // namespace toolchain
