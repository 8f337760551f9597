// The windowed editor's way to convert a Visual Studio file.
#include "build/convert_command.h"

#include <windows.h>
#include <commdlg.h>

#include "base/app_state.h"
#include "base/common_dialogs.h"
#include "build/user_commands.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr int kCmdShowOutputPage = 94;

ConvertDialogHook& Hook() {
    static ConvertDialogHook hook;
    return hook;
}

std::optional<std::wstring> AskProjectPath() {
    if (Hook()) {
        return Hook()();
    }
    wchar_t path[MAX_PATH] = {};
    std::wstring folder;
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active != nullptr && active->HasPath()) {
        folder = active->path.substr(0, active->path.rfind(L'\\'));
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = App().mainWindow;
    dialog.lpstrFilter = L"Visual Studio projects (*.vcxproj;*.vcproj;*.dsp;*.sln;*.dsw)\0"
                         L"*.vcxproj;*.vcproj;*.dsp;*.sln;*.dsw\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!ShowOpenFileDialog(&dialog)) {
        return std::nullopt;
    }
    return std::wstring(path);
}

}  // namespace

bool HandleConvertCommand(int command) {
    if (command != kCmdConvertVsProject) {
        return false;
    }
    const std::optional<std::wstring> path = AskProjectPath();
    if (!path || path->empty()) {
        return true;
    }
    if (App().mainWindow != nullptr) {
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage, 0);
    }
    RunInterpreterCommand({L"tarvik", L"convert", *path});
    return true;
}

void SetConvertDialogHook(ConvertDialogHook hook) { Hook() = std::move(hook); }

}  // namespace kelpo
