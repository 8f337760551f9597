// User command submenus and command chains. A chain thread never touches a window or the
// program's state: it copies what it needs when it starts and posts its output to a message-only
// window of the interface thread, which appends it to the output pane.
#include "build/user_commands.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/message_box.h"
#include "base/text_convert.h"
#include "build/interpreter_system.h"
#include "build/output_pane.h"
#include "build/tarvik_settings.h"
#include "build/user_menu.h"
#include "doc/documents.h"

namespace kelpo {
namespace {

constexpr UINT kChainOutputMessage = WM_APP + 30;
// Shows the output page of the bottom pane, as its toolbar button does.
constexpr int kCmdShowOutputPage = 94;
constexpr wchar_t kHubClass[] = L"KelpoChainOutput";

// What the chains print, collected under a lock and taken by the interface thread.
struct ChainHub {
    std::mutex mutex;
    HWND window = nullptr;  // message-only, of the interface thread; null once detached
    std::string pending;    // UTF-8
    std::atomic<int> running{0};
};

std::shared_ptr<ChainHub>& CurrentHub() {
    static std::shared_ptr<ChainHub> hub;
    return hub;
}

std::vector<std::wstring>& UserCommandList() {
    static std::vector<std::wstring> commands;
    return commands;
}

LRESULT CALLBACK HubWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kChainOutputMessage) {
        std::string text;
        if (const std::shared_ptr<ChainHub>& hub = CurrentHub()) {
            const std::lock_guard lock(hub->mutex);
            text.swap(hub->pending);
        }
        if (App().mainWindow != nullptr && !text.empty()) {
            ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage, 0);
        }
        AppendOutputUtf8(text);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

ChainHub* EnsureHub() {
    std::shared_ptr<ChainHub>& hub = CurrentHub();
    if (hub && hub->window != nullptr) {
        return hub.get();
    }
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
        wc.lpfnWndProc = HubWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kHubClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    HWND window = registered ? ::CreateWindowExW(0, kHubClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                 ::GetModuleHandleW(nullptr), nullptr)
                             : nullptr;
    if (window == nullptr) {
        return nullptr;
    }
    hub = std::make_shared<ChainHub>();
    hub->window = window;
    return hub.get();
}

// The interpreter of a chain thread: output to the hub, errors in message boxes without owner.
class ChainEffects : public SystemInterpreterEffects {
public:
    ChainEffects(std::wstring programFolder, std::shared_ptr<ChainHub> hub)
        : SystemInterpreterEffects(std::move(programFolder)), hub_(std::move(hub)) {}

    void Print(std::wstring_view text) override {
        const std::lock_guard lock(hub_->mutex);
        if (hub_->window == nullptr || text.empty()) {
            return;
        }
        const bool wake = hub_->pending.empty();
        hub_->pending += WideToUtf8(text);
        if (wake) {
            ::PostMessageW(hub_->window, kChainOutputMessage, 0, 0);
        }
    }

    void ShowError(const std::wstring& text, const std::wstring& caption) override {
        const UINT flags = MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND;
        if (caption == L"Kelpo") {
            ShowMessage(nullptr, flags, L"%s", text.c_str());
        } else {
            ::MessageBeep(MB_ICONEXCLAMATION);
            ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
        }
    }

    void NoteFailure() override {}

protected:
    bool AskReplace(const std::wstring& path) override {
        return ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION | MB_TOPMOST, L"The file %s exists. Overwrite?",
                           path.c_str()) == IDYES;
    }

private:
    std::shared_ptr<ChainHub> hub_;
};

struct ChainJob {
    std::wstring text;
    std::vector<std::wstring> arguments;  // a command already split: run as it is
    std::wstring programFolder;
    std::shared_ptr<ChainHub> hub;
};

void RunChain(const ChainJob& job) {
    ChainEffects effects(job.programFolder, job.hub);
    if (!job.arguments.empty()) {
        Interpret(job.arguments, job.text, effects);
        return;
    }
    InterpretChain(job.text, effects, SplitArguments);
}

DWORD WINAPI ChainThread(void* parameter) {
    const std::unique_ptr<ChainJob> job(static_cast<ChainJob*>(parameter));
    try {
        RunChain(*job);
    } catch (const std::exception&) {
        // Out of memory: the chain ends where it is.
    }
    --job->hub->running;
    return 0;
}

void FillUserMenu(HMENU popup, bool autoBuild) {
    while (::GetMenuItemCount(popup) > 1) {
        ::DeleteMenu(popup, 1, MF_BYPOSITION);
    }
    const std::vector<std::wstring> lines =
        ReadTarvikSection(App().paths.folder, autoBuild ? L"AutoBuild" : L"Build");
    UserMenu menu = autoBuild ? AutoBuildSectionMenu(lines) : BuildSectionMenu(lines);
    for (const UserMenuRow& row : menu.rows) {
        if (row.separator) {
            ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(kCmdUserCommandFirst + row.command),
                          row.label.c_str());
        }
    }
    UserCommandList() = std::move(menu.commands);
}

bool StartChainThread(std::unique_ptr<ChainJob> job) {
    ChainHub* hub = EnsureHub();
    if (hub == nullptr) {
        return false;
    }
    job->programFolder = App().paths.folder;
    job->hub = CurrentHub();
    ++hub->running;
    unique_handle thread(::CreateThread(nullptr, 0, ChainThread, job.get(), 0, nullptr));
    if (!thread) {
        --hub->running;
        return false;
    }
    job.release();
    return true;
}

}  // namespace

void OnUserCommandMenuPopup(HMENU popup) {
    if (::GetMenuItemCount(popup) < 1) {
        return;
    }
    const UINT first = ::GetMenuItemID(popup, 0);
    if (first == kCmdUserBuildMenu || first == kCmdUserAutoBuildMenu) {
        FillUserMenu(popup, first == kCmdUserAutoBuildMenu);
    }
}

bool HandleUserCommand(int command) {
    if (command == kCmdUserBuildMenu || command == kCmdUserAutoBuildMenu) {
        OpenDocument(TarvikIniPath(App().paths.folder));
        return true;
    }
    if (command < kCmdUserCommandFirst || command >= kCmdUserCommandFirst + static_cast<int>(kMaxUserCommands)) {
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(command - kCmdUserCommandFirst);
    if (index < UserCommandList().size()) {
        RunCommandChain(UserCommandList()[index]);
    }
    return true;
}

bool RunCommandChain(const std::wstring& text) {
    auto job = std::make_unique<ChainJob>();
    job->text = text;
    return StartChainThread(std::move(job));
}

bool RunInterpreterCommand(const std::vector<std::wstring>& arguments) {
    auto job = std::make_unique<ChainJob>();
    job->arguments = arguments;
    for (const std::wstring& argument : arguments) {
        job->text += (job->text.empty() ? L"" : L" ") + argument;
    }
    return StartChainThread(std::move(job));
}

int RunningCommandChains() {
    const std::shared_ptr<ChainHub>& hub = CurrentHub();
    return hub ? hub->running.load() : 0;
}

void DetachCommandChains() {
    std::shared_ptr<ChainHub>& hub = CurrentHub();
    if (!hub) {
        return;
    }
    HWND window = nullptr;
    {
        const std::lock_guard lock(hub->mutex);
        std::swap(window, hub->window);
        hub->pending.clear();
    }
    if (window != nullptr) {
        ::DestroyWindow(window);
    }
}

}  // namespace kelpo
