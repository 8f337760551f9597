// Mutex, hand-over to the running instance and its receiving side.
#include "app/single_instance.h"

#include <shellapi.h>

#include <string>

#include "app/hand_over.h"
#include "app/open_arguments.h"

namespace kelpo {
namespace {

int ArgumentCount() {
    int count = 0;
    unique_argv argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    return argv ? count : 0;
}

void BringForward(HWND running) {
    HWND popup = ::GetLastActivePopup(running);
    if (::IsIconic(running)) {
        ::ShowWindow(running, SW_RESTORE);
    }
    ::SetForegroundWindow(popup != nullptr ? popup : running);
}

void SendCommandLine(HWND running) {
    if (ArgumentCount() < 2) {
        COPYDATASTRUCT empty{};
        ::SendMessageW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&empty));
        return;
    }
    wchar_t directory[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, directory);
    const std::wstring currentDirectory = length < MAX_PATH ? std::wstring(directory, length) : std::wstring();
    std::vector<unsigned char> block = BuildHandOverBlock(currentDirectory, ::GetCommandLineW());
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(block.size());
    data.lpData = block.data();
    ::SendMessageW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace

InstanceCheck ApplySingleInstanceRule(bool severalInstancesAllowed) {
    InstanceCheck check;
    check.mutex.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const DWORD error = ::GetLastError();
    if (severalInstancesAllowed || error != ERROR_ALREADY_EXISTS) {
        return check;
    }
    HWND running = ::FindWindowW(kMainWindowClass, nullptr);
    if (running == nullptr) {
        return check;
    }
    BringForward(running);
    SendCommandLine(running);
    check.handedOver = true;
    return check;
}

LRESULT ReceiveHandOver(HWND mainWindow, const COPYDATASTRUCT* data) {
    if (data != nullptr && data->dwData == 0 && data->lpData != nullptr) {
        if (const std::optional<HandOver> handOver = ReadHandOverBlock(data->lpData, data->cbData)) {
            ParseCommandLine(handOver->directory.c_str(), handOver->commandLine.c_str());
        }
    }
    if (!::IsWindowVisible(mainWindow)) {
        ::ShowWindow(mainWindow, SW_SHOW);
        ::SetForegroundWindow(mainWindow);
        ::SetFocus(mainWindow);
    }
    return 0;
}

}  // namespace kelpo
