// Saving documents: composing the bytes, writing them safely, and the questions around it.
#include "doc/file_save.h"

#include <windows.h>

#include <new>
#include <optional>
#include <string_view>

#include "base/app_state.h"
#include "base/file_paths.h"
#include "base/file_write.h"
#include "base/message_box.h"
#include "base/ui_text.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_events.h"
#include "doc/document_tabs.h"
#include "doc/file_change_check.h"
#include "doc/file_codec.h"
#include "doc/file_dialogs.h"
#include "doc/file_load.h"
#include "doc/format_menus.h"
#include "doc/project_marks.h"

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

void TellNotSaved(const wchar_t* format, const std::wstring& path) {
    ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR, format, path.c_str());
}

// The file was written by someone else since this document read or wrote it.
bool ChangedByAnotherProgram(const Document& document, const std::wstring& fullPath) {
    if (!document.HasPath() || ::lstrcmpiW(document.path.c_str(), fullPath.c_str()) != 0) {
        return false;  // a copy saved elsewhere, or under a new name: the dialog asked about it
    }
    const FILETIME zero{};
    if (::CompareFileTime(&document.fileTime, &zero) == 0) {
        return false;  // never known: nothing to compare with
    }
    const std::optional<FILETIME> written = LastWriteTimeOf(fullPath);
    // Gone: writing it again loses nothing.
    return written && ::CompareFileTime(&*written, &document.fileTime) != 0;
}

enum class OutsideChangeAnswer { Overwrite, Reload, Cancel };

OutsideChangeAnswer AskAboutOutsideChange(const std::wstring& path) {
    const int answer = ShowMessage(App().mainWindow, MB_YESNOCANCEL | MB_ICONWARNING,
                                   L"%s\r\nhas been changed by another program since it was opened or saved here.\r\n\r\n"
                                   L"Yes: overwrite it with the text in the editor.\r\n"
                                   L"No: load it again and drop the changes made here.\r\n"
                                   L"Cancel: do neither.",
                                   path.c_str());
    return answer == IDYES ? OutsideChangeAnswer::Overwrite
                           : answer == IDNO ? OutsideChangeAnswer::Reload : OutsideChangeAnswer::Cancel;
}

// ANSI cannot hold every character; rather than writing "?" the user chooses UTF-8 or nothing.
// A file whose bytes were not valid ANSI when read asks as well: ANSI would not give them back.
std::optional<std::string> ComposeBytesToSave(Document& document, const std::wstring& path) {
    const AnsiCodePage ansi = SystemAnsiCodePage();
    std::optional<std::string> bytes = ComposeFileBytes(TextOf(document), document.encoding, ansi);
    if (document.encoding != FileEncoding::Ansi || (bytes && !document.ansiLossy)) {
        if (!bytes) {
            TellNotSaved(L"%s\r\nwas not saved: the text could not be converted.", path);
        }
        return bytes;
    }
    int answer = 0;
    if (!bytes) {
        answer = ShowMessage(App().mainWindow, MB_YESNO | MB_ICONWARNING,
                             L"%s\r\nholds characters that the ANSI code page cannot represent; saved in ANSI "
                             L"they would be lost.\r\n\r\nSave it in UTF-8 instead? (No leaves the file as it is.)",
                             path.c_str());
    } else {
        answer = ShowMessage(App().mainWindow, MB_YESNOCANCEL | MB_ICONWARNING,
                             L"%s\r\nheld bytes that are not valid in the ANSI code page when it was read; saved in "
                             L"ANSI they are written differently.\r\n\r\nYes: save it in UTF-8.\r\n"
                             L"No: save it in ANSI anyway.\r\nCancel: do not save.",
                             path.c_str());
    }
    if (answer == IDNO && bytes) {
        return bytes;
    }
    if (answer != IDYES) {
        return std::nullopt;
    }
    ChangeEncoding(document, FileEncoding::Utf8);
    return ComposeFileBytes(TextOf(document), FileEncoding::Utf8, ansi);
}

void TellWriteFailure(const std::wstring& path, const WriteResult& result) {
    if (!result.newBytesKeptIn.empty()) {
        ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR,
                    L"%s\r\ncould not be replaced. The saved text is in\r\n%s", path.c_str(),
                    result.newBytesKeptIn.c_str());
    } else if (!result.oldBytesKeptIn.empty()) {
        ShowMessage(App().mainWindow, MB_OK | MB_ICONERROR,
                    L"%s\r\ncould not be written, nor put back as it was. Its old content is in\r\n%s\r\n"
                    L"The text keeps its changes in the editor.",
                    path.c_str(), result.oldBytesKeptIn.c_str());
    } else {
        TellNotSaved(L"%s\r\ncould not be written. The text keeps its changes in the editor.", path);
    }
}

void MarkSaved(Document& document, const std::wstring& path) {
    // A copy written elsewhere tells nothing about the document's own file.
    if (!document.HasPath() || ::lstrcmpiW(document.path.c_str(), path.c_str()) == 0) {
        document.fileTime = LastWriteTimeOf(path).value_or(FILETIME{});
    }
    document.readOnly = false;
    document.modified = false;
    document.formatChanged = false;
    document.ansiLossy = false;  // what was written reads back as it is
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
    document.fileTime = LastWriteTimeOf(document.path).value_or(FILETIME{});
    ClassifyDocument(document);
    if (DocumentTabs* tabs = Tabs()) {
        if (tabs->Active() == &document) {
            SetWindowTitle(App().mainWindow, &document);
        }
        tabs->UpdateTab(&document);
    }
}

// Two tabs on one file would overwrite each other's saves: the other tab goes first, if the
// user agrees.
bool CloseOtherTabOfFile(const Document& document, const std::wstring& path) {
    DocumentTabs* tabs = Tabs();
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    const int index = tabs != nullptr && fullPath ? tabs->FindByPath(*fullPath) : -1;
    if (index < 0 || tabs->At(index) == &document) {
        return true;
    }
    const Document& other = *tabs->At(index);
    const wchar_t* format = other.modified
                                ? L"%s\r\nis open in another tab with unsaved changes. Close that tab, dropping "
                                  L"its changes, and save this text in its place?"
                                : L"%s\r\nis open in another tab. Close that tab and save this text in its place?";
    if (ShowMessage(App().mainWindow, MB_OKCANCEL | MB_ICONQUESTION, format, other.path.c_str()) != IDOK) {
        return false;
    }
    ForgetDocumentProject(other);
    tabs->Remove(index);
    return true;
}

bool SaveUnderNewName(Document& document, const std::wstring& path) {
    const std::wstring oldPath = document.path;
    if (!CloseOtherTabOfFile(document, path) || !SaveFile(document, path)) {
        return false;
    }
    TakeNewPath(document, path);
    if (::lstrcmpiW(oldPath.c_str(), document.path.c_str()) != 0) {
        NotifyDocumentSaved(document);  // SaveFile wrote a file that was not yet the document's
    }
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
    if (ChangedByAnotherProgram(document, *fullPath)) {
        switch (AskAboutOutsideChange(*fullPath)) {
        case OutsideChangeAnswer::Overwrite:
            break;
        case OutsideChangeAnswer::Reload:
            return ReloadFile(document, document.path);
        case OutsideChangeAnswer::Cancel:
            return false;
        }
    }
    std::optional<std::string> bytes;
    try {
        bytes = ComposeBytesToSave(document, *fullPath);
    } catch (const std::bad_alloc&) {
        TellNotSaved(L"%s\r\nwas not saved: not enough memory.", *fullPath);
        return false;
    }
    if (!bytes) {
        return false;  // the user declined, or was told why
    }
    const WriteResult result = WriteFileSafely(*fullPath, *bytes);
    if (!result.Written()) {
        TellWriteFailure(*fullPath, result);
        return false;
    }
    MarkSaved(document, *fullPath);
    if (document.HasPath() && ::lstrcmpiW(document.path.c_str(), fullPath->c_str()) == 0) {
        NotifyDocumentSaved(document);
    }
    return true;
}

bool AskSave(Document& document, bool ask) {
    if (!document.modified) {
        return true;
    }
    if (ask) {
        const std::wstring& name = document.HasPath() ? document.path : document.displayName;
        const int answer =
            ShowMessage(App().mainWindow, MB_YESNOCANCEL | MB_ICONQUESTION, UiText(kTextSaveQuestion).c_str(), name.c_str());
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
