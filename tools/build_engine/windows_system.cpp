// Files, processes and output of build.exe on Windows.
#include "windows_system.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "engine_paths.h"

namespace kelpo::engine {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};
using unique_handle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using unique_find = std::unique_ptr<void, FindCloser>;

DWORD Attributes(const std::string& path) { return GetFileAttributesW(WideFromAnsi(path).c_str()); }

// Hands each complete line of the bytes to `onLine`, keeping a partial last line for later.
void SplitLines(std::string& pending, const std::function<void(std::string_view)>& onLine) {
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view line(pending.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        onLine(line);
    }
    pending.erase(0, start);
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string AnsiFromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr, nullptr);
    return ansi;
}

bool WindowsSystem::ReadFile(const std::string& path, std::string& bytes) {
    unique_handle file(CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 30)) {
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool WindowsSystem::WriteFileIfChanged(const std::string& path, const std::string& bytes) {
    std::string old;
    if (ReadFile(path, old) && old == bytes) {
        return true;
    }
    unique_handle file(CreateFileW(WideFromAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    return bytes.empty() ||
           (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

bool WindowsSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WindowsSystem::FolderExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WindowsSystem::MakeFolders(const std::string& path) {
    if (path.empty() || FolderExists(path)) {
        return true;
    }
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && parent != path && !MakeFolders(parent)) {
        return false;
    }
    return CreateDirectoryW(WideFromAnsi(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WindowsSystem::RemoveFolder(const std::string& path) {
    if (!FolderExists(path)) {
        return true;
    }
    WIN32_FIND_DATAW data{};
    unique_find find(FindFirstFileW(WideFromAnsi(JoinPath(path, "*")).c_str(), &data));
    if (find.get() != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::string child = JoinPath(path, AnsiFromWide(name));
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveFolder(child);
            } else {
                RemoveFile(child);
            }
        } while (FindNextFileW(find.get(), &data));
    }
    find.reset();
    RemoveDirectoryW(WideFromAnsi(path).c_str());
    return !FolderExists(path);
}

bool WindowsSystem::RemoveFile(const std::string& path) {
    const std::wstring wide = WideFromAnsi(path);
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(wide.c_str()) || !FileExists(path);
}

bool WindowsSystem::CopyFileIfChanged(const std::string& from, const std::string& to) {
    std::string source;
    std::string target;
    if (ReadFile(from, source) && ReadFile(to, target) && source == target) {
        return true;
    }
    return CopyFileW(WideFromAnsi(from).c_str(), WideFromAnsi(to).c_str(), FALSE) != 0;
}

bool WindowsSystem::Run(const std::string& commandLine, const std::string& folder,
                        const std::function<void(std::string_view)>& onLine, int& exitCode) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        return false;
    }
    unique_handle reader(readEnd);
    unique_handle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    unique_handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                    OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring command = WideFromAnsi(commandLine);
    const std::wstring workingFolder = WideFromAnsi(folder);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        return false;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    writer.reset();  // the pipe ends when the last program holding it ends

    std::string pending;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        pending.append(buffer, read);
        SplitLines(pending, onLine);
    }
    if (!pending.empty()) {
        pending += '\n';
        SplitLines(pending, onLine);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    exitCode = static_cast<int>(code);
    return true;
}

void WindowsSystem::Print(std::string_view line) {
    const std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    ::WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string WindowsSystem::Environment(const std::string& name) {
    const std::wstring wideName = WideFromAnsi(name);
    std::vector<wchar_t> value(32768);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 || length >= value.size()) {
        return {};
    }
    return AnsiFromWide(std::wstring_view(value.data(), length));
}

}  // namespace kelpo::engine
