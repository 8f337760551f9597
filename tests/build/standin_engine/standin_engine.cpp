// Test equipment standing in for the build engine: records the command line and environment it
// was given beside itself, then writes compiler-like output in uneven chunks with pauses, or,
// when the project file asks for it, hangs, alone or with a hanging child process.
#include <windows.h>

#include <string>

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full(path, length);
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

void WriteBytes(const std::wstring& path, const void* data, DWORD size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, data, size, &written, nullptr);
        ::CloseHandle(file);
    }
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            bytes.append(buffer, read);
        }
        ::CloseHandle(file);
    }
    return bytes;
}

void Put(DWORD which, const std::string& text, DWORD pause = 0) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(which), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::Sleep(pause);
}

void RecordWhatCameIn() {
    const std::wstring folder = OwnFolder();
    const wchar_t* commandLine = ::GetCommandLineW();
    WriteBytes(folder + L"engine-command-line.bin", commandLine,
               static_cast<DWORD>(::lstrlenW(commandLine) * sizeof(wchar_t)));
    wchar_t* block = ::GetEnvironmentStringsW();
    const wchar_t* end = block;
    while (*end != L'\0') {
        end += ::lstrlenW(end) + 1;
    }
    WriteBytes(folder + L"engine-environment.bin", block, static_cast<DWORD>((end + 1 - block) * sizeof(wchar_t)));
    ::FreeEnvironmentStringsW(block);
}

// "build.exe -z <flag> <path>": the path is the rest after the flag's blank.
std::wstring ProjectPath() {
    const std::wstring line = ::GetCommandLineW();
    const std::size_t z = line.find(L" -z ");
    if (z == std::wstring::npos) {
        return {};
    }
    const std::size_t blank = line.find(L' ', z + 4);
    return blank == std::wstring::npos ? std::wstring() : line.substr(blank + 1);
}

void StartHangingChild() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"build.exe --child";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        Put(STD_OUTPUT_HANDLE, "child pid " + std::to_string(info.dwProcessId) + "\r\n");
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
}

void WriteCompilerOutput() {
    Put(STD_OUTPUT_HANDLE, "Compiling...\r\nsrc\\a.cpp(7): war", 60);
    Put(STD_ERROR_HANDLE, "ning C4100: unused, no error here\r\n", 60);
    Put(STD_OUTPUT_HANDLE, "d:\\x\\b.cpp(3) : error C2065: x\r\nsrc\\\xE9t\xE9", 60);
    Put(STD_OUTPUT_HANDLE, ".cpp(2): error C1: \xE0 voir\r\n- error in a diff line\r\nLinking out\\app.exe", 60);
    Put(STD_OUTPUT_HANDLE, "\r\ndone");
}

// Every run adds "<IntDir> <command line>" to a log beside itself, so that a batch of runs shows.
void LogRun() {
    wchar_t intDir[64] = {};
    ::GetEnvironmentVariableW(L"IntDir", intDir, 64);
    const std::wstring line = std::wstring(intDir) + L" " + ::GetCommandLineW() + L"\r\n";
    HANDLE file = ::CreateFileW((OwnFolder() + L"engine-runs.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
        ::CloseHandle(file);
    }
}

// A user build request, "build.exe [switches] FOLDER": the folder's build.tvk may ask to hang
// (its pid is written beside the engine) or to fail with exit code 3.
int RunRequest(const std::wstring& folder) {
    const std::string project = ReadBytes(folder + L"\\build.tvk");
    if (project.find("STANDIN=hang") != std::string::npos) {
        const std::string pid = std::to_string(::GetCurrentProcessId());
        WriteBytes(OwnFolder() + L"engine-pid.txt", pid.data(), static_cast<DWORD>(pid.size()));
        ::Sleep(INFINITE);
    }
    return project.find("STANDIN=fail") != std::string::npos ? 3 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--child") {
        ::Sleep(INFINITE);
    }
    LogRun();
    RecordWhatCameIn();
    if (std::wstring(::GetCommandLineW()).find(L" -z ") == std::wstring::npos) {
        return RunRequest(argv[argc - 1]);
    }
    const std::string project = ReadBytes(ProjectPath());
    Put(STD_OUTPUT_HANDLE, "engine pid " + std::to_string(::GetCurrentProcessId()) + "\r\n");
    if (project.find("STANDIN=child") != std::string::npos) {
        StartHangingChild();
    }
    if (project.find("STANDIN=hang") != std::string::npos || project.find("STANDIN=child") != std::string::npos) {
        Put(STD_OUTPUT_HANDLE, "hanging\r\n");
        ::Sleep(INFINITE);
    }
    WriteCompilerOutput();
    return 0;
}
