// File commands of the active document, the window menu and the document items' menu states.
#include "doc/file_commands.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/file_paths.h"
#include "base/message_box.h"
#include "base/text_convert.h"
#include "doc/clipboard_text.h"
#include "doc/companion_file.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_change_check.h"
#include "doc/file_dialogs.h"
#include "doc/file_location.h"
#include "doc/file_load.h"
#include "doc/file_save.h"
#include "doc/include_line.h"
#include "doc/path_parts.h"
#include "doc/project_marks.h"
#include "doc/window_list_dialog.h"

namespace kelpo {
namespace {

// An #include line is short; a longer line is read only this far.
constexpr sptr_t kMaxIncludeLineBytes = 2048;
constexpr int kMaxWindowMenuTabs = kCmdActivateTabLast - kCmdActivateTabFirst + 1;
// Marks the separator this file puts above the tab list, so the list can be replaced.
constexpr ULONG_PTR kTabListSeparatorMark = 0x4B656C70;

HWND MainWindow() { return App().mainWindow; }

// Adopting a new name ------------------------------------------------------------------------

void RefreshDocument(Document& document) {
    document.view->Call(SCI_SETREADONLY, document.readOnly ? 1 : 0);
    if (DocumentTabs* tabs = Tabs()) {
        tabs->UpdateTab(&document);
        if (tabs->Active() == &document) {
            SetWindowTitle(MainWindow(), &document);
        }
    }
}

// Classification clears the modified flag, which is right after a save; after a move the text in
// the view still differs from the file, and forgetting that would lose the changes on close.
void TakePath(Document& document, const std::wstring& path, bool textSaved) {
    const bool modified = document.modified;
    document.path = path;
    document.displayName = FileNamePart(path);
    ClassifyDocument(document);
    if (!textSaved) {
        document.modified = modified;
    }
    RefreshDocument(document);
}

// Commands -------------------------------------------------------------------------------------

std::string CurrentLineStart(const EditorView& view) {
    const sptr_t line = view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
    const sptr_t start = view.Call(SCI_POSITIONFROMLINE, line);
    const sptr_t end = view.Call(SCI_GETLINEENDPOSITION, line);
    const sptr_t length = end - start < kMaxIncludeLineBytes ? end - start : kMaxIncludeLineBytes;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    Sci_TextRangeFull range{{start, start + length}, text.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void OpenIncludedFile(const Document& document) {
    const std::optional<std::string> name = IncludedFileName(CurrentLineStart(*document.view));
    if (!name) {
        return;
    }
    std::wstring path = Utf8ToWide(*name);
    if (document.HasPath() && ::PathIsRelativeW(path.c_str())) {
        path = std::wstring(FolderOfPath(document.path)) + L"\\" + path;
    }
    OpenDocument(path);
}

void Rename(Document& document) {
    if (const std::optional<std::wstring> newPath = AskSavePath(document)) {
        RenameDocument(document, *newPath);
    }
}

// Sets or clears the file's read-only attribute; true when the file has the wanted state after.
bool SetReadOnlyAttribute(const std::wstring& path, bool readOnly) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if (((attributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly) {
        return true;
    }
    DWORD changed = readOnly ? ((attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_READONLY)
                             : (attributes & ~FILE_ATTRIBUTE_READONLY);
    if (changed == 0) {
        changed = FILE_ATTRIBUTE_NORMAL;
    }
    ::SetFileAttributesW(path.c_str(), changed);
    const DWORD now = ::GetFileAttributesW(path.c_str());
    return now != INVALID_FILE_ATTRIBUTES && ((now & FILE_ATTRIBUTE_READONLY) != 0) == readOnly;
}

void ToggleReadOnly(Document& document) {
    const bool wanted = !document.readOnly;
    if (!SetReadOnlyAttribute(document.path, wanted)) {
        return;
    }
    document.readOnly = wanted;
    RefreshDocument(document);
}

void ShowInShellExplorer(const Document& document) { ShowFileLocation(FileLocationMode::ShellExplorer, document.path); }

void OpenCommandWindow(const Document& document) { ShowFileLocation(FileLocationMode::CommandWindow, document.path); }

void SwitchSourceHeader(const Document& document) {
    const std::vector<std::wstring> candidates = CompanionFileCandidates(document.path);
    if (candidates.size() == 1) {
        OpenDocument(candidates.front());  // a missing header is reported in the status bar
        return;
    }
    for (const std::wstring& candidate : candidates) {
        if (::GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            OpenDocument(candidate);
            return;
        }
    }
}

enum class DeleteOutcome { Deleted, Declined, Failed };

DeleteOutcome MoveToRecycleBin(const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0');  // the list ends with two zeros; c_str() adds the second
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = MainWindow();
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // The question was asked already; the system's own would be a second one. But where the bin
    // cannot take the file (network shares, removable drives, large files) it would be destroyed
    // for good: the system warns about that.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI;
    const int result = ::SHFileOperationW(&operation);
    if (operation.fAnyOperationsAborted) {
        return DeleteOutcome::Declined;  // the user kept the file at the system's warning
    }
    return result == 0 && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? DeleteOutcome::Deleted
                                                                                         : DeleteOutcome::Failed;
}

// Saving edits to a file that is about to go makes no sense, so a modified document is not offered
// the save question: the one question says that the edits go with the file.
bool AgreeToDelete(const Document& document) {
    if (document.modified) {
        return ShowMessage(MainWindow(), MB_OKCANCEL | MB_ICONWARNING,
                           L"%s has unsaved changes.\r\n\r\nMove it to the Recycle Bin and close it anyway? "
                           L"The changes will be lost.",
                           document.path.c_str()) == IDOK;
    }
    return ShowMessage(MainWindow(), MB_OKCANCEL | MB_ICONQUESTION, L"Move %s to the Recycle Bin and close it?",
                       document.path.c_str()) == IDOK;
}

void DeleteFileAndTab(Document& document) {
    if (!AgreeToDelete(document)) {
        return;
    }
    const DeleteOutcome outcome = MoveToRecycleBin(document.path);
    if (outcome == DeleteOutcome::Failed) {
        ShowMessage(MainWindow(), MB_OK | MB_ICONERROR, L"Cannot delete %s", document.path.c_str());
    }
    if (outcome != DeleteOutcome::Deleted) {
        return;
    }
    ForgetDocumentProject(document);
    Tabs()->Remove(Tabs()->IndexOf(&document));
}

void Revert(Document& document) {
    if (!document.modified) {
        return;
    }
    if (ShowMessage(MainWindow(), MB_OKCANCEL | MB_ICONQUESTION, L"Discard the changes to %s and load it again?",
                    document.path.c_str()) != IDOK) {
        return;
    }
    ReloadFile(document, document.path);
    RefreshDocument(document);
}

// Commands that need a document with a file.
void RunPathCommand(int command, Document& document) {
    switch (command) {
    case kCmdToggleReadOnly:
        ToggleReadOnly(document);
        break;
    case kCmdShowInShellExplorer:
        ShowInShellExplorer(document);
        break;
    case kCmdOpenCommandWindow:
        OpenCommandWindow(document);
        break;
    case kCmdCopyPath:
        CopyTextToClipboard(MainWindow(), document.path);
        break;
    case kCmdCopyFolder:
        CopyTextToClipboard(MainWindow(), std::wstring(FolderOfPath(document.path)));
        break;
    case kCmdCopyFileName:
        CopyTextToClipboard(MainWindow(), std::wstring(FileNameOfPath(document.path)));
        break;
    case kCmdSwitchSourceHeader:
        SwitchSourceHeader(document);
        break;
    case kCmdDeleteFile:
        DeleteFileAndTab(document);
        break;
    case kCmdRevert:
        Revert(document);
        break;
    default:
        break;
    }
}

bool IsFileCommand(int command) {
    switch (command) {
    case kCmdOpenIncludedFile:
    case kCmdRename:
    case kCmdToggleReadOnly:
    case kCmdShowInShellExplorer:
    case kCmdOpenCommandWindow:
    case kCmdCopyPath:
    case kCmdCopyFolder:
    case kCmdCopyFileName:
    case kCmdSwitchSourceHeader:
    case kCmdDeleteFile:
    case kCmdRevert:
    case kCmdWindowList:
        return true;
    default:
        return false;
    }
}

void RunFileCommand(int command) {
    if (command == kCmdWindowList) {
        ShowWindowListDialog(MainWindow());
        return;
    }
    Document* document = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (document == nullptr) {
        return;
    }
    if (command == kCmdOpenIncludedFile) {
        OpenIncludedFile(*document);
    } else if (command == kCmdRename) {
        Rename(*document);
    } else if (document->HasPath()) {
        RunPathCommand(command, *document);
    }
}

// Window menu ----------------------------------------------------------------------------------

bool HoldsItemDirectly(HMENU popup, UINT command) {
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(popup, i) == command) {
            return true;
        }
    }
    return false;
}

void RemoveTabList(HMENU popup) {
    for (int i = ::GetMenuItemCount(popup) - 1; i >= 0; --i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) {
            continue;
        }
        const bool tabItem = info.hSubMenu == nullptr && info.wID >= static_cast<UINT>(kCmdActivateTabFirst) &&
                             info.wID <= static_cast<UINT>(kCmdActivateTabLast);
        if (tabItem || info.dwItemData == kTabListSeparatorMark) {
            ::DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
        }
    }
}

// Menus show "&" as a mnemonic mark; a path keeps its ampersands when they are doubled.
std::wstring MenuSafe(const std::wstring& text) {
    std::wstring safe;
    safe.reserve(text.size());
    for (wchar_t c : text) {
        safe.push_back(c);
        if (c == L'&') {
            safe.push_back(L'&');
        }
    }
    return safe;
}

std::wstring TabItemText(int index, const Document& document) {
    std::wstring text = MenuSafe(document.HasPath() ? document.path : document.displayName);
    if (index < 9) {
        text = L"&" + std::to_wstring(index + 1) + L" " + text;
    }
    return text;
}

void AppendTabList(HMENU popup, const DocumentTabs& tabs) {
    const int count = std::min(tabs.Count(), kMaxWindowMenuTabs);
    if (count == 0) {
        return;
    }
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE | MIIM_DATA;
    separator.fType = MFT_SEPARATOR;
    separator.dwItemData = kTabListSeparatorMark;
    ::InsertMenuItemW(popup, static_cast<UINT>(::GetMenuItemCount(popup)), TRUE, &separator);
    const Document* active = tabs.Active();
    for (int i = 0; i < count; ++i) {
        const Document* document = tabs.At(i);
        std::wstring text = TabItemText(i, *document);
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
        item.fType = MFT_STRING;
        item.fState = document == active ? MFS_CHECKED : MFS_UNCHECKED;
        item.wID = static_cast<UINT>(kCmdActivateTabFirst + i);
        item.dwTypeData = text.data();
        ::InsertMenuItemW(popup, static_cast<UINT>(::GetMenuItemCount(popup)), TRUE, &item);
    }
}

void EnableItem(HMENU menu, UINT command, bool enabled) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

bool RenameDocument(Document& document, const std::wstring& newPath) {
    const std::optional<std::wstring> fullPath = FullPathOf(newPath);
    if (!fullPath) {
        ShowMessage(MainWindow(), MB_OK | MB_ICONERROR, L"Cannot use the name %s", newPath.c_str());
        return false;
    }
    if (!document.HasPath()) {
        if (!SaveFile(document, *fullPath)) {
            return false;  // the save has said why
        }
        TakePath(document, *fullPath, true);
        return true;
    }
    if (::lstrcmpiW(fullPath->c_str(), document.path.c_str()) == 0) {
        return true;
    }
    if (!::MoveFileExW(document.path.c_str(), fullPath->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
        ShowMessage(MainWindow(), MB_OK | MB_ICONERROR, L"Cannot rename %s\r\nto %s", document.path.c_str(),
                    fullPath->c_str());
        return false;
    }
    TakePath(document, *fullPath, false);
    return true;
}

bool HandleFileCommand(int command) {
    if (!IsFileCommand(command)) {
        return false;
    }
    try {
        RunFileCommand(command);
    } catch (const std::bad_alloc&) {
        // Nothing was changed that needs undoing; the command simply did not run to its end.
    }
    return true;
}

void OnWindowMenuPopup(HMENU popup) {
    DocumentTabs* tabs = Tabs();
    if (popup == nullptr || tabs == nullptr || !HoldsItemDirectly(popup, kCmdWindowList)) {
        return;
    }
    RemoveTabList(popup);
    try {
        AppendTabList(popup, *tabs);
    } catch (const std::bad_alloc&) {
        // The menu opens with the tabs listed so far.
    }
}

void UpdateDocumentMenuStates(HMENU menu) {
    const Document* document = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    EnableItem(menu, kCmdSave, document != nullptr && document->modified && !document->readOnly);
    EnableItem(menu, kCmdToggleReadOnly, document != nullptr && document->HasPath());
    ::CheckMenuItem(menu, kCmdToggleReadOnly,
                    MF_BYCOMMAND | (document != nullptr && document->readOnly ? MF_CHECKED : MF_UNCHECKED));
    EnableItem(menu, kCmdSetActiveProject, document != nullptr && document->kind == DocumentKind::Project);
}

}  // namespace kelpo
