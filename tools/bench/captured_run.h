// Running a program to its end with its output captured, as the build engine's benchmark and its
// end-to-end test run build.exe and what it builds; and the values of a test tool's "config.ini".
#pragma once

#include <windows.h>

#include <string>

namespace kelpo::bench {

struct CapturedRun {
    DWORD exitCode = 0xFFFFFFFF;  // kept when the program could not be started
    std::string output;           // standard output and error, on one pipe
};

// `environment` as for CreateProcessW with CREATE_UNICODE_ENVIRONMENT, or empty for this
// process's own.
CapturedRun RunCaptured(std::wstring commandLine, const std::wstring& environment);

// A value of the [CONFIG] section of the tool folder's "config.ini", "%CD%" replaced by the folder.
std::wstring ToolConfigValue(const std::wstring& toolFolder, const wchar_t* key);

}  // namespace kelpo::bench
