// The document operations of the tab bar.
#include "doc/documents.h"

#include <algorithm>

#include "base/app_state.h"
#include "base/file_paths.h"
#include "base/file_read.h"
#include "base/recent_lists.h"
#include "base/status_message.h"
#include "doc/backup_keeper.h"
#include "doc/document_events.h"
#include "doc/document_status.h"
#include "doc/document_tabs.h"
#include "doc/file_load.h"
#include "doc/file_save.h"
#include "doc/project_marks.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "lang/view_notifications.h"

namespace kelpo {
namespace {

void InsertTemplate(EditorView& view, const wchar_t* templatePath) {
    constexpr std::uint64_t kLargestTemplate = 64ull << 20;
    const std::optional<std::string> read = ReadWholeFile(templatePath, kLargestTemplate);
    if (!read) {
        return;
    }
    std::string bytes = *read;
    const std::size_t bar = bytes.find('|');
    if (bar != std::string::npos) {
        bytes.erase(bar, 1);
    }
    view.Call(SCI_INSERTTEXT, 0, reinterpret_cast<sptr_t>(bytes.c_str()));
    const sptr_t caret = bar != std::string::npos ? static_cast<sptr_t>(bar) : 0;
    view.Call(SCI_SETSEL, caret, caret);
}

Document* DocumentOfView(HWND view) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < tabs->Count(); ++i) {
        Document* document = tabs->At(i);
        if (document->view && document->view->Window() == view) {
            return document;
        }
    }
    return nullptr;
}

void SetModified(Document& document, bool modified) {
    if (document.modified != modified) {
        document.modified = modified;
        Tabs()->UpdateTab(&document);
    }
}

}  // namespace

Document* NewDocument(const wchar_t* templatePath) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Document> document = tabs->CreateDocumentWithView();
    if (!document) {
        return nullptr;
    }
    document->displayName = L"Untitled " + std::to_wstring(tabs->NextUntitledNumber());
    const LanguageDef& language =
        templatePath != nullptr ? ChooseLanguageForFile(templatePath) : LanguageAt(0);
    EditorView& view = *document->view;
    ApplyLanguage(view, language);
    view.Call(SCI_SETSEL, 0, 0);
    view.Call(SCI_SETEOLMODE, static_cast<int>(document->lineEnd));
    view.Call(SCI_SETUNDOCOLLECTION, 1);
    view.Call(SCI_SETSAVEPOINT);
    if (templatePath != nullptr) {
        InsertTemplate(view, templatePath);
    }
    return tabs->Append(std::move(document), true);
}

Document* OpenDocument(const std::wstring& path) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return nullptr;
    }
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    if (!fullPath) {
        ShowStatusMessage(OpenFailureText(path));
        return nullptr;
    }
    if (const int index = tabs->FindByPath(*fullPath); index >= 0) {
        Document* existing = tabs->At(index);
        // A tab still waiting for its file goes when the file can no longer be read (the load says so).
        if (!existing->LoadDeferred()) {
            tabs->Remove(index);
            return nullptr;
        }
        tabs->Activate(index, true);
        return existing;
    }
    std::unique_ptr<Document> document = tabs->CreateDocumentWithView();
    if (!document || !LoadFile(*document, *fullPath)) {
        if (document) {
            ForgetDocumentProject(*document);
        }
        ShowStatusMessage(L"Cannot open file: " + *fullPath);
        return nullptr;
    }
    Document* opened = tabs->Append(std::move(document), true);
    if (opened != nullptr) {
        NotifyDocumentOpened(*opened);
    }
    return opened;
}

Document* OpenDocumentLater(const std::wstring& fullPath, std::optional<RestoredPlace> place) {
    DocumentTabs* tabs = Tabs();
    std::unique_ptr<Document> document = tabs != nullptr ? tabs->CreateDocumentWithView(false) : nullptr;
    if (!document) {
        return nullptr;
    }
    document->path = fullPath;
    document->displayName = FileNamePart(fullPath);
    const DWORD attributes = ::GetFileAttributesW(fullPath.c_str());
    document->readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    ClassifyProjectFile(*document);
    document->placeToRestore = std::move(place);
    document->deferredLoad = [](Document& later) {
        Tabs()->SetUpView(later);
        if (!LoadFile(later, later.path)) {
            ForgetDocumentProject(later);
            ShowStatusMessage(L"Cannot open file: " + later.path);
            return false;
        }
        if (later.placeToRestore) {
            RestoreViewPlace(*later.view, *later.placeToRestore);
            later.placeToRestore.reset();
        }
        NotifyDocumentOpened(later);
        return true;
    };
    // Listed as the files it stands for were when they were opened whole.
    AddRecentFile(fullPath, document->kind != DocumentKind::Ordinary);
    return tabs->AppendInactive(std::move(document));
}

void LoadAllDocuments() {
    DocumentTabs* tabs = Tabs();
    for (int i = 0; tabs != nullptr && i < tabs->Count();) {
        Document* document = tabs->At(i);
        if (!document->LoadDeferred()) {
            tabs->Remove(i);
            continue;
        }
        ++i;
    }
}

void RestoreViewPlace(const EditorView& view, const RestoredPlace& place) {
    constexpr int kBookmarkMarker = 1;
    view.Call(SCI_LINESCROLL, 0, -(view.Call(SCI_GETLINECOUNT) + 1));
    view.Call(SCI_LINESCROLL, 0, std::max(place.firstLine, 0));
    const sptr_t length = view.Call(SCI_GETLENGTH);
    view.Call(SCI_SETSELECTIONSTART, std::clamp<sptr_t>(place.selectionStart, 0, length));
    view.Call(SCI_SETSELECTIONEND, std::clamp<sptr_t>(place.selectionEnd, 0, length));
    view.Call(SCI_SETXOFFSET, std::max(place.xOffset, 0));
    for (const int line : place.bookmarks) {
        // A file that is already open may carry the mark; a second one would outlive its toggle.
        if ((view.Call(SCI_MARKERGET, line) & (1 << kBookmarkMarker)) == 0) {
            view.Call(SCI_MARKERADD, line, kBookmarkMarker);
        }
    }
}

void CloseActiveTab() {
    DocumentTabs* tabs = Tabs();
    Document* document = tabs != nullptr ? tabs->Active() : nullptr;
    if (document == nullptr || !AskSave(*document, true)) {
        return;
    }
    ForgetDocumentProject(*document);
    tabs->Remove(tabs->IndexOf(document));
}

void CloseOtherTabs() {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr || tabs->Active() == nullptr) {
        return;
    }
    Document* keep = tabs->Active();
    for (int i = tabs->Count() - 1; i >= 0; --i) {
        if (tabs->At(i) != keep) {
            ForgetDocumentProject(*tabs->At(i));
            tabs->Remove(i);
        }
    }
    tabs->Activate(0, false);
}

void CloseAllTabs() {
    if (DocumentTabs* tabs = Tabs()) {
        tabs->RemoveAll();
    }
    ResetProjectMarks();
}

bool AskSaveAll(bool ask) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return true;
    }
    for (int i = 0; i < tabs->Count(); ++i) {
        Document* document = tabs->At(i);
        if (!document->modified) {
            continue;
        }
        if (!AskSave(*document, ask)) {
            return false;
        }
        tabs->UpdateTab(document);
    }
    return true;
}

Document* OnViewNotify(const SCNotification& notification) {
    Document* document = DocumentOfView(static_cast<HWND>(notification.nmhdr.hwndFrom));
    if (document == nullptr) {
        return nullptr;
    }
    OnViewNotification(*document->view, notification);
    switch (notification.nmhdr.code) {
    case SCN_SAVEPOINTREACHED:
        // Undo back to the saved text leaves a changed encoding or line-end mode to be saved.
        SetModified(*document, document->formatChanged);
        NoteDocumentChanged(*document);
        break;
    case SCN_SAVEPOINTLEFT:
        SetModified(*document, true);
        NoteDocumentChanged(*document);
        break;
    case SCN_UPDATEUI:
        // Coalesced once per repaint: later changes of a modified text are seen without a
        // notification for every single change.
        if (notification.updated & SC_UPDATE_CONTENT) {
            NoteDocumentChanged(*document);
        }
        if (document == Tabs()->Active()) {
            ShowDocumentStatus(*document);
        }
        break;
    case SCN_ZOOM:
        App().settings.zoomLevel = static_cast<int>(document->view->Call(SCI_GETZOOM));
        break;
    default:
        // Typing aids, brace marks, margins, folds and the status bar take their codes as they arrive.
        break;
    }
    return document;
}

}  // namespace kelpo
