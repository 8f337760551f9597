// Open and save dialogs (GetOpenFileNameW, GetSaveFileNameW) with the program's filter list.
#include "doc/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include "base/app_state.h"
#include "base/common_dialogs.h"
#include "base/file_paths.h"
#include "doc/document_entry.h"
#include "doc/file_dialog_lists.h"

namespace kelpo {
namespace {

// Far more than a dialog's 260-character path: many chosen names must fit, else the dialog
// fails without opening anything.
constexpr std::size_t kOpenBufferChars = 32 * 1024;

SaveDialogHook& SaveHook() {
    static SaveDialogHook hook;
    return hook;
}

OpenDialogHook& OpenHook() {
    static OpenDialogHook hook;
    return hook;
}

std::vector<std::wstring> ChooseFilesToOpen() {
    if (const OpenDialogHook& hook = OpenHook()) {
        return hook();
    }
    std::wstring buffer(kOpenBufferChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = App().mainWindow;
    dialog.lpstrFilter = FileTypeFilter().data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    if (!ShowOpenFileDialog(&dialog)) {
        return {};
    }
    return SelectedFiles(buffer);
}

}  // namespace

void OpenFilesWithDialog() { OpenFiles(ChooseFilesToOpen()); }

std::optional<std::wstring> AskSavePath(const Document& document) {
    if (const SaveDialogHook& hook = SaveHook()) {
        return hook(document);
    }
    wchar_t file[MAX_PATH] = {};
    document.displayName.copy(file, kMaxPathChars);
    std::wstring folder;
    if (document.HasPath()) {
        folder = document.path.substr(0, document.path.find_last_of(L'\\') + 1);
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = App().mainWindow;
    dialog.lpstrFilter = FileTypeFilter().data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_DONTADDTORECENT;
    if (!ShowSaveFileDialog(&dialog)) {
        return std::nullopt;
    }
    return std::wstring(file);
}

void SetSaveDialogHook(SaveDialogHook hook) { SaveHook() = std::move(hook); }

void SetOpenDialogHook(OpenDialogHook hook) { OpenHook() = std::move(hook); }

}  // namespace kelpo
