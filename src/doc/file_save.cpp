// Saving documents: composing the bytes, writing them safely, and the questions around it.
#include "doc/file_save.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string_view>

#include "base/app_state.h"
#include "base/message_box.h"
#include "base/ui_text.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_tabs.h"
#include "doc/file_codec.h"
#include "doc/file_dialogs.h"
#include "doc/file_load.h"
#include "doc/file_paths.h"
#include "doc/file_write.h"

namespace kelpo {
namespace {

// The view's own buffer, made contiguous, saves a copy of the whole text; it stays valid
// until the text changes, which cannot happen before the bytes are composed.
std::string_view TextOf(const Document& document) {
    const EditorView& view = *document.view;
    const auto length = static_cast<std::size_t>(view.Call(SCI_GETLENGTH));
    const auto* text = reinterpret_cast<const char*>(view.Call(SCI_GETCHARACTERPOINTER));
    return text != nullptr ? std::string_view(text, length) : std::string_view();
}

FILETIME LastWriteTimeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return FILETIME{};
    }
    return data.ftLastWriteTime;
}

void TellNotSaved(const wchar_t* format, const std::wstring& path) {
    ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, format, path.c_str());
}

void MarkSaved(Document& document, const std::wstring& path) {
    document.fileTime = LastWriteTimeOf(path);
    document.readOnly = false;
    document.modified = false;
    document.view->Call(SCI_SETREADONLY, 0);
    document.view->Call(SCI_SETSAVEPOINT);
    if (DocumentTabs* tabs = Tabs()) {
        tabs->UpdateTab(&document);  // the flags changed before the view reported the save point
    }
}

// After a save under a new name the document belongs to that file.
void TakeNewPath(Document& document, const std::wstring& path) {
    document.path = FullPathOf(path).value_or(path);
    document.displayName = FileNamePart(document.path);
    ClassifyDocument(document);
    if (DocumentTabs* tabs = Tabs()) {
        if (tabs->Active() == &document) {
            SetWindowTitle(App().mainWindow, &document);
        }
        tabs->UpdateTab(&document);
    }
}

bool SaveUnderNewName(Document& document, const std::wstring& path) {
    if (!SaveFile(document, path)) {
        return false;
    }
    TakeNewPath(document, path);
    return true;
}

}  // namespace

bool SaveFile(Document& document, const std::wstring& path) {
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    if (!fullPath) {
        TellNotSaved(L"%s\r\nwas not saved: a path may have at most 259 characters.", path);
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(fullPath->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        TellNotSaved(L"%s\r\nwas not saved: it is a folder.", *fullPath);
        return false;
    }
    // Checked here because replacing a read-only file succeeds on some systems.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        TellNotSaved(L"%s\r\nwas not saved: the file is read-only.", *fullPath);
        return false;
    }
    std::optional<std::string> bytes;
    try {
        bytes = ComposeFileBytes(TextOf(document), document.encoding, SystemAnsiCodePage());
    } catch (const std::bad_alloc&) {
        TellNotSaved(L"%s\r\nwas not saved: not enough memory.", *fullPath);
        return false;
    }
    if (!bytes) {
        TellNotSaved(L"%s\r\nwas not saved: the text could not be converted to the ANSI code page.", *fullPath);
        return false;
    }
    if (!WriteWholeFile(*fullPath, *bytes)) {
        TellNotSaved(L"%s\r\ncould not be written. The text keeps its changes in the editor.", *fullPath);
        return false;
    }
    MarkSaved(document, *fullPath);
    return true;
}

bool AskSave(Document& document, bool ask) {
    if (!document.modified) {
        return true;
    }
    if (ask) {
        const std::wstring& name = document.HasPath() ? document.path : document.displayName;
        const int answer =
            ShowMessage(App().mainWindow, MB_YESNOCANCEL | MB_ICONQUESTION, UiText(11).c_str(), name.c_str());
        if (answer == IDCANCEL) {
            return false;
        }
        if (answer == IDNO) {
            return true;
        }
    }
    if (document.HasPath()) {
        return SaveFile(document, document.path);
    }
    const std::optional<std::wstring> path = AskSavePath(document);
    if (!path) {
        // Without a question nothing is being closed, so nothing is lost by going on.
        return !ask;
    }
    return SaveUnderNewName(document, *path);
}

bool SaveAs(Document& document) {
    const std::optional<std::wstring> path = AskSavePath(document);
    return path && SaveUnderNewName(document, *path);
}

}  // namespace kelpo
