// The engine process. The parent's copy of the pipe's write end is closed as soon as the engine
// has it, so the end of the pipe is the end of the engine and of everything that inherited it.
#include "build/build_job.h"

#include "base/inherit_lock.h"

namespace kelpo {

std::wstring EngineCommandLine(const std::wstring& engineFlag, const std::wstring& projectPath) {
    return L"build.exe -z " + engineFlag + L" " + projectPath;
}

namespace {

// A job whose closing ends its processes: the engine cannot outlive the editor, nor its
// compilers the stop command.
unique_handle CreateKillJob() {
    unique_handle job(::CreateJobObjectW(nullptr, nullptr));
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
            job.reset();
        }
    }
    return job;
}

}  // namespace

DWORD EngineRun::Start(const std::wstring& application, std::wstring commandLine, const std::wstring& environment) {
    // Only the write end is inherited, and only by this process: made inheritable just for the
    // creation, so other programs started meanwhile do not keep the pipe open.
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, nullptr, 0)) {
        return ::GetLastError();
    }
    outputRead_.reset(read);
    unique_handle outputWrite(write);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nullptr;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION info{};
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_) {
        return ERROR_CANCELLED;
    }
    job_ = CreateKillJob();
    std::lock_guard<std::mutex> inheriting(InheritLock());
    if (!::SetHandleInformation(write, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) {
        return ::GetLastError();
    }
    if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                          CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                          const_cast<wchar_t*>(environment.c_str()), nullptr, &startup, &info)) {
        return ::GetLastError();
    }
    outputWrite.reset();
    process_.reset(info.hProcess);
    unique_handle thread(info.hThread);
    // Without a job (a system that refuses nesting one) the stop command still ends the engine.
    if (job_ && !::AssignProcessToJobObject(job_.get(), info.hProcess)) {
        job_.reset();
    }
    ::ResumeThread(thread.get());
    return 0;
}

void EngineRun::ReadToEnd(const std::function<void(std::string_view)>& chunk) {
    char buffer[4096];
    DWORD read = 0;
    while (outputRead_ && ::ReadFile(outputRead_.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        chunk(std::string_view(buffer, read));
    }
    if (process_) {
        ::WaitForSingleObject(process_.get(), INFINITE);
    }
}

void EngineRun::Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    if (job_) {
        ::TerminateJobObject(job_.get(), 1);
    } else if (process_) {
        ::TerminateProcess(process_.get(), 1);
    }
}

bool EngineRun::Stopped() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return stopped_;
}

}  // namespace kelpo
