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
        ::ShowWindowAsync(running, SW_RESTORE);  // a hung instance must not hang this start here either
    }
    ::SetForegroundWindow(popup != nullptr ? popup : running);
}

bool SendCommandLine(HWND running) {
    if (ArgumentCount() < 2) {
        COPYDATASTRUCT empty{};
        return SendHandOver(running, empty, kHandOverTimeoutMs);
    }
    wchar_t directory[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, directory);
    const std::wstring currentDirectory = length < MAX_PATH ? std::wstring(directory, length) : std::wstring();
    std::vector<unsigned char> block = BuildHandOverBlock(currentDirectory, ::GetCommandLineW());
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(block.size());
    data.lpData = block.data();
    return SendHandOver(running, data, kHandOverTimeoutMs);
}

}  // namespace

bool SendHandOver(HWND running, const COPYDATASTRUCT& data, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &result) != 0;
}

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
    // An instance that does not answer would swallow this start without a trace, and exiting
    // with a message would still leave the user without the files: this start runs on its own
    // instead, as when no running window is found. Should the hung one recover and read the
    // message after all, a file is open twice, which is the lesser harm.
    check.handedOver = SendCommandLine(running);
    return check;
}

LRESULT ReceiveHandOver(HWND mainWindow, const COPYDATASTRUCT* data) {
    if (data != nullptr && data->dwData == 0 && data->lpData != nullptr) {
        if (const std::optional<HandOver> handOver = ReadHandOverBlock(data->lpData, data->cbData)) {
            // The text is copied: the sender may go, and should not wait for what opening may ask
            // (a size question would outlast its patience and make it start on its own).
            ::ReplyMessage(0);
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
