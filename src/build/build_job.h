// One run of the build engine: a hidden process in a job object that ends it together with every
// process it started, its standard output and error on one pipe.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "base/handles.h"

namespace kelpo {

// "build.exe -z <flag> <project path>": unquoted, two blanks when the flag is empty.
std::wstring EngineCommandLine(const std::wstring& engineFlag, const std::wstring& projectPath);

class EngineRun {
public:
    EngineRun() = default;
    EngineRun(const EngineRun&) = delete;
    EngineRun& operator=(const EngineRun&) = delete;

    // Starts `application` (a full path) with the command line and the environment block
    // ("NAME=value\0...\0\0"). 0, or the system's error code when it could not be started.
    DWORD Start(const std::wstring& application, std::wstring commandLine, const std::wstring& environment);
    // Hands every chunk of output to `chunk` until the pipe ends, then waits for the process.
    void ReadToEnd(const std::function<void(std::string_view)>& chunk);
    // Ends the engine and everything it started; from any thread, before, during or after Start.
    // Later starts are refused.
    void Stop();
    bool Stopped() const;

private:
    mutable std::mutex mutex_;  // guards stopped_ and the job against Start and Stop meeting
    bool stopped_ = false;
    unique_handle job_;
    unique_handle process_;
    unique_hfile outputRead_;
};

}  // namespace kelpo
