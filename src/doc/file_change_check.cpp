// Outside changes: last-write times compared on activation, and reloading in place.
#include "doc/file_change_check.h"

#include <windows.h>

#include <optional>

#include "base/app_state.h"
#include "base/message_box.h"
#include "doc/backup_keeper.h"
#include "doc/document_tabs.h"
#include "doc/file_load.h"

namespace kelpo {
namespace {

bool AgreesToReload(const Document& document) {
    const wchar_t* format = document.modified
                                ? L"%s\r\nwas changed outside Kelpo. Reload it and lose the changes made here?"
                                : L"%s\r\nwas changed outside Kelpo. Reload it?";
    return ShowMessage(App().mainWindow, MB_OKCANCEL | MB_ICONQUESTION, format, document.path.c_str()) == IDOK;
}

struct ViewPlace {
    sptr_t caret = 0;
    sptr_t firstDocumentLine = 0;
};

ViewPlace RememberPlace(const EditorView& view) {
    ViewPlace place;
    place.caret = view.Call(SCI_GETCURRENTPOS);
    place.firstDocumentLine = view.Call(SCI_DOCLINEFROMVISIBLE, view.Call(SCI_GETFIRSTVISIBLELINE));
    return place;
}

void RestorePlace(const EditorView& view, const ViewPlace& place) {
    if (place.caret > view.Call(SCI_GETLENGTH)) {
        return;
    }
    view.Call(SCI_ENSUREVISIBLEENFORCEPOLICY, view.Call(SCI_LINEFROMPOSITION, place.caret));
    view.Call(SCI_SETSEL, place.caret, place.caret);
    const sptr_t wantedTop = view.Call(SCI_VISIBLEFROMDOCLINE, place.firstDocumentLine);
    view.Call(SCI_LINESCROLL, 0, wantedTop - view.Call(SCI_GETFIRSTVISIBLELINE));
}

void RefreshTab(const Document& document) {
    if (DocumentTabs* tabs = Tabs()) {
        tabs->UpdateTab(&document);
    }
}

}  // namespace

std::optional<FILETIME> LastWriteTimeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return data.ftLastWriteTime;
}

void CheckActiveFileChanged() {
    DocumentTabs* tabs = Tabs();
    if (Document* active = tabs != nullptr ? tabs->Active() : nullptr) {
        CheckFileChanged(*active);
    }
}

void CheckFileChanged(Document& document) {
    if (!document.HasPath()) {
        return;
    }
    const std::optional<FILETIME> written = LastWriteTimeOf(document.path);
    if (!written || ::CompareFileTime(&*written, &document.fileTime) == 0) {
        return;  // unchanged, or gone: a vanished file is checked again at the next activation
    }
    // Stored before asking: the question deactivates and reactivates the main window, which
    // checks again, and the same change must not be asked about twice.
    document.fileTime = *written;
    if (AgreesToReload(document)) {
        ReloadFile(document, document.path);
    }
}

bool ReloadFile(Document& document, const std::wstring& path) {
    const ViewPlace place = RememberPlace(*document.view);
    // LoadFile replaces the text, the undo history and the read-only state only once the file
    // has been read whole, so a failed read keeps the text that is there.
    if (!LoadFile(document, path)) {
        return false;
    }
    RestorePlace(*document.view, place);
    document.modified = false;
    RefreshTab(document);
    NoteDocumentChanged(document);  // the text is the file's again: its snapshot goes
    return true;
}

}  // namespace kelpo
