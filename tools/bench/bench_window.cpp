// The main window of a benchmark, started as the program starts it.
#include "bench_window.h"

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_paths.h"
#include "base/app_state.h"

namespace kelpo::bench {

void PumpPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::wstring ScratchFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

HWND StartBenchWindow(const std::wstring& folder) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!PrepareWindowClasses(instance)) {
        return nullptr;
    }
    AppState& app = App();
    app = AppState{};
    app.paths = MakeAppPaths(folder);
    app.instance = instance;
    HWND window = StartMainWindow(instance, LoadSettings(app));
    const Clock::time_point start = Clock::now();
    while (window != nullptr && app.starting && MillisecondsSince(start) < 10000) {
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return window;
}

}  // namespace kelpo::bench
