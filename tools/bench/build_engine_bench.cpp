// Build engine benchmark: a generated project of C files built by build.exe with the tool vc2022
// beside it, as the editor starts it. Prints the time and the number of compiler runs of a full
// build, a build with nothing changed and a build after touching one header used by 10 files.
// Run by hand (under Wine here): kelpo_build_engine_bench [FILES]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "captured_run.h"

namespace {

using namespace kelpo::bench;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using unique_handle = std::unique_ptr<void, HandleCloser>;

constexpr int filesPerHeader = 10;

bool WriteText(const std::wstring& path, const std::string& text) {
    unique_handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    DWORD written = 0;
    return file.get() != INVALID_HANDLE_VALUE &&
           WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::string Name(const char* stem, int number, const char* extension) {
    char name[64];
    std::snprintf(name, sizeof(name), "%s%03d%s", stem, number, extension);
    return name;
}

// FILES sources (main.c and file001.c ...), each including one of FILES/10 headers, so every header
// has 10 users.
bool WriteProject(const std::wstring& folder, int files) {
    std::string sources;
    for (int header = 0; header < (files + filesPerHeader - 1) / filesPerHeader; ++header) {
        if (!WriteText(folder + L"\\" + std::wstring(L"head") + std::to_wstring(header) + L".h",
                       "#define HEAD_VALUE_" + std::to_string(header) + " " + std::to_string(header) + "\n")) {
            return false;
        }
    }
    for (int file = 0; file < files; ++file) {
        const std::string name = file == 0 ? std::string("main.c") : Name("file", file, ".c");
        const std::string header = "head" + std::to_string(file / filesPerHeader) + ".h";
        std::string text = "#include \"" + header + "\"\n";
        if (file == 0) {
            text += "#include <stdio.h>\nint main(void) { printf(\"%d\\n\", HEAD_VALUE_0); return 0; }\n";
        } else {
            text += "int f" + std::to_string(file) + "(int x) { int i, s = 0; for (i = 0; i < x; ++i) s += i * " +
                    "HEAD_VALUE_" + std::to_string(file / filesPerHeader) + "; return s; }\n";
        }
        if (!WriteText(folder + L"\\" + std::wstring(name.begin(), name.end()), text)) {
            return false;
        }
        sources += "    " + name + (file + 1 < files ? " \\\r\n" : "\r\n");
    }
    return WriteText(folder + L"\\build.tvk", "TARGETNAME=bench\r\nTARGETTYPE=EXE\r\nSOURCES=\\\r\n" + sources);
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

bool Touch(const std::wstring& path) {
    unique_handle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER later{{now.dwLowDateTime, now.dwHighDateTime}};
    later.QuadPart += 3ULL * 10000000ULL;
    const FILETIME time{later.LowPart, later.HighPart};
    return file.get() != INVALID_HANDLE_VALUE && SetFileTime(file.get(), nullptr, nullptr, &time);
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::max(filesPerHeader, std::atoi(argv[1])) : 200;
    wchar_t modulePath[MAX_PATH] = {};
    const std::wstring module(modulePath, GetModuleFileNameW(nullptr, modulePath, MAX_PATH));
    const std::wstring bin = module.substr(0, module.find_last_of(L'\\'));
    const std::wstring tool = bin + L"\\vc2022";
    if (GetFileAttributesW((tool + L"\\config.ini").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("no tool vc2022 beside this program (%ls)\n", tool.c_str());
        return 1;
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"kelpo_engine_bench_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring project = root + L"\\project";
    const std::wstring outputRoot = root + L"\\out";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(project.c_str(), nullptr);
    if (!WriteProject(project, files)) {
        std::printf("cannot write the project in %ls\n", project.c_str());
        return 1;
    }
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring strings[] = {
        L"TarvikDir=" + bin, L"BuildTool=vc2022", L"BuildArch=x64", L"BuildType=debug", L"IntDir=vc2022_x64_debug",
        L"OutputRoot=" + outputRoot, L"Tmp=" + std::wstring(temp), L"Temp=" + std::wstring(temp),
        L"SystemRoot=" + std::wstring(windows), L"Path=" + bin + L";" + ToolConfigValue(tool, L"BIN_X64"),
        L"INCLUDE=" + ToolConfigValue(tool, L"INCLUDE"),
        L"LIB=" + outputRoot + L"\\lib\\vc2022_x64;" + ToolConfigValue(tool, L"LIB_X64"),
    };
    std::wstring block;
    for (const std::wstring& text : strings) {
        block += text + L'\0';
    }
    block += L'\0';
    const std::wstring command = L"\"" + bin + L"\\build.exe\" -z  " + project + L"\\build.tvk";

    std::printf("build.exe: %d C files, %d headers with %d users each, vc2022 x64 debug (test tool)\n", files,
                (files + filesPerHeader - 1) / filesPerHeader, filesPerHeader);
    const struct {
        const char* name;
        bool touchHeader;
    } steps[] = {{"full build", false}, {"no-op build", false}, {"touched header", true}};
    int result = 0;
    for (const auto& step : steps) {
        if (step.touchHeader && !Touch(project + L"\\head3.h")) {
            std::printf("cannot touch head3.h\n");
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        const CapturedRun outcome = RunCaptured(command, block);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-15s ms %7lld  compiler runs %4d  exit code %lu\n", step.name, static_cast<long long>(ms),
                    Count(outcome.output, "Compiling "), outcome.exitCode);
        if (outcome.exitCode != 0) {
            std::printf("%s", outcome.output.c_str());
            result = 1;
            break;
        }
    }
    std::printf("project and output left in %ls\n", root.c_str());
    return result;
}
