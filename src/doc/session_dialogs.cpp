// Common open and save dialogs with the one all-files filter of the session commands.
#include "doc/session_dialogs.h"

#include <commdlg.h>

#include "base/common_dialogs.h"

namespace kelpo {
namespace {

constexpr wchar_t kSessionFilter[] = L"Session files (*.*)\0*.*\0";

std::optional<std::wstring> AskSessionFile(HWND owner, bool forSaving) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kSessionFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"xml";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = forSaving ? ShowSaveFileDialog(&dialog) : ShowOpenFileDialog(&dialog);
    if (!chosen || path[0] == L'\0') {
        return std::nullopt;
    }
    return std::wstring(path);
}

}  // namespace

std::optional<std::wstring> AskSessionFileToOpen(HWND owner) { return AskSessionFile(owner, false); }

std::optional<std::wstring> AskSessionFileToSave(HWND owner) { return AskSessionFile(owner, true); }

}  // namespace kelpo
