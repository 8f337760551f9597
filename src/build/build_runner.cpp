// A build: the command checks what it needs, a worker runs the engine and streams its output,
// converted to UTF-8 line by line, into the output pane.
#include "build/build_runner.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/text_convert.h"
#include "build/build_command_ids.h"
#include "build/build_environment.h"
#include "build/build_job.h"
#include "build/configuration_box.h"
#include "build/output_decoder.h"
#include "build/output_pane.h"
#include "build/project_for_build.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

// Shows the output page of the bottom pane, as its toolbar button does.
constexpr int kCmdShowOutputPage = 94;

struct Build {
    unsigned configuration = 0;
    std::wstring engineFlag;
    std::wstring projectPath;
    EngineRun engine;
    unique_handle thread;
};

Build* g_running = nullptr;

void DispatchPlainly(MSG& message) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

BuildMessageProcessor g_processor = DispatchPlainly;

std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const unique_hlocal owned(text);
    std::wstring message = length > 0 ? std::wstring(text, length) : L"system error " + std::to_wstring(error);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return WideToUtf8(message);
}

void RunEngine(Build& build) {
    const BuildEnvironment environment = ComposeEnvironment(build.configuration);
    if (!environment.error.empty()) {
        AppendOutput(environment.error);
        return;
    }
    if (environment.block.empty()) {
        AppendOutput("Error : the configuration has no environment\n");
        return;
    }
    const std::wstring engine = App().paths.folder + L"build.exe";
    const DWORD error =
        build.engine.Start(engine, EngineCommandLine(build.engineFlag, build.projectPath), environment.block);
    if (error != 0 && !build.engine.Stopped()) {
        AppendOutputUtf8("Error : cannot start " + WideToUtf8(engine) + ": " + SystemMessage(error) + "\n");
        return;
    }
    OutputDecoder decoder(SystemAnsiCodePage());
    if (error == 0) {
        build.engine.ReadToEnd([&](std::string_view chunk) { AppendOutputUtf8(decoder.Feed(chunk)); });
    }
    AppendOutputUtf8(decoder.Flush());
    if (build.engine.Stopped()) {
        AppendOutput("\nThe build was stopped.\n");
    }
}

DWORD WINAPI BuildThread(void* parameter) {
    Build& build = *static_cast<Build*>(parameter);
    try {
        RunEngine(build);
    } catch (const std::exception&) {
        build.engine.Stop();
        AppendOutput("Error : the build ended early (not enough memory)\n");
    }
    return 0;
}

// Until the worker ends, every message is handled, so the window repaints, takes commands and
// answers the worker's sent messages. A quit request is kept for the outer loop.
void WaitKeepingWindowAlive(Build& build) {
    HANDLE thread = build.thread.get();
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        const DWORD result = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) {
            break;
        }
        if (result == WAIT_FAILED) {
            ::Sleep(10);
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = message.wParam;
                build.engine.Stop();
                continue;
            }
            g_processor(message);
        }
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
}

void EnableStopButton(bool enable) {
    if (App().shell.buildToolbar != nullptr) {
        ::SendMessageW(App().shell.buildToolbar, TB_ENABLEBUTTON, kCmdStopBuild, enable ? TRUE : FALSE);
    }
}

// Waits answering only the worker's sent messages: the window is being destroyed.
void WaitAnswering(HANDLE thread) {
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

void StartBuild(const std::wstring& engineFlag, int configuration, bool clearOutput) {
    if (g_running != nullptr) {
        AppendOutput("Error : a build is running; stop it before starting another\n");
        return;
    }
    const int code = configuration >= 0 ? configuration : CurrentConfiguration();
    if (code < 0) {
        AppendOutput("Error : No Tarvik found\n");
        return;
    }
    if (Tabs() == nullptr || Tabs()->Active() == nullptr) {
        return;
    }
    auto build = std::make_unique<Build>();
    build->projectPath = ProjectForBuild();
    if (build->projectPath.empty()) {
        AppendOutput("Error : no .tvk file specified\n");
        return;
    }
    build->configuration = static_cast<unsigned>(code);
    build->engineFlag = engineFlag;
    SetBuildFolder(build->projectPath);
    if (clearOutput) {
        ClearOutput();
    }
    build->thread.reset(::CreateThread(nullptr, 0, BuildThread, build.get(), 0, nullptr));
    if (!build->thread) {
        AppendOutputUtf8("Error : cannot start the build: " + SystemMessage(::GetLastError()) + "\n");
        return;
    }
    g_running = build.get();
    EnableStopButton(true);
    WaitKeepingWindowAlive(*build);
    g_running = nullptr;
    EnableStopButton(false);
}

bool BuildRunning() { return g_running != nullptr; }

void StopBuild() {
    if (g_running != nullptr) {
        g_running->engine.Stop();
    }
}

void StopBuildForExit() {
    if (g_running != nullptr) {
        g_running->engine.Stop();
        WaitAnswering(g_running->thread.get());
    }
}

bool HandleBuildRunCommand(int command) {
    const wchar_t* flag = nullptr;
    switch (command) {
    case kCmdBuild: flag = L""; break;
    case kCmdRebuild: flag = L"/r"; break;
    case kCmdClean: flag = L"/c"; break;
    case kCmdBuildVariant: flag = L"/t"; break;
    case kCmdStopBuild:
        StopBuild();
        return true;
    default:
        return false;
    }
    if (App().mainWindow != nullptr) {
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage, 0);
    }
    StartBuild(flag, -1);
    return true;
}

void SetBuildMessageProcessor(BuildMessageProcessor processor) {
    g_processor = processor != nullptr ? processor : DispatchPlainly;
}

}  // namespace kelpo
