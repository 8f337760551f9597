// Collecting the session from the open tabs and restoring tabs and view state from it.
#include "doc/session.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/app_state.h"
#include "base/file_paths.h"
#include "base/text_convert.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/project_marks.h"
#include "doc/session_file.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

constexpr int kBookmarkMarker = 1;
constexpr int kBookmarkMask = 1 << kBookmarkMarker;
// Paths live in 260-character buffers; a longer one is skipped rather than cut to another path.
constexpr std::size_t kLongestPath = 259;

// The top line of the view, counted without the lines that folding hides above it.
int FirstLineOf(const EditorView& view) {
    const sptr_t docLine = view.Call(SCI_DOCLINEFROMVISIBLE, view.Call(SCI_GETFIRSTVISIBLELINE));
    sptr_t hidden = 0;
    if (!view.Call(SCI_GETALLLINESVISIBLE)) {
        for (sptr_t line = 0; line < docLine; ++line) {
            if (!view.Call(SCI_GETLINEVISIBLE, line)) {
                ++hidden;
            }
        }
    }
    return static_cast<int>(docLine - hidden);
}

std::vector<int> BookmarksOf(const EditorView& view) {
    std::vector<int> lines;
    for (sptr_t line = view.Call(SCI_MARKERNEXT, 0, kBookmarkMask); line >= 0;
         line = view.Call(SCI_MARKERNEXT, line + 1, kBookmarkMask)) {
        lines.push_back(static_cast<int>(line));
    }
    return lines;
}

SessionEntry EntryOf(const Document& document, bool selected) {
    SessionEntry entry;
    entry.activeProject = document.kind == DocumentKind::ActiveProject;
    if (document.HasPath() && !document.IsLoaded()) {
        // Never shown since it was restored: the place it was restored with still holds.
        const RestoredPlace place = document.placeToRestore.value_or(RestoredPlace{});
        entry.path = WideToUtf8(document.path);
        entry.firstLine = place.firstLine;
        entry.selectionStart = place.selectionStart;
        entry.selectionEnd = place.selectionEnd;
        entry.xOffset = place.xOffset;
        entry.bookmarks = place.bookmarks;
    } else if (document.HasPath() && document.view) {
        const EditorView& view = *document.view;
        entry.path = WideToUtf8(document.path);
        entry.firstLine = FirstLineOf(view);
        entry.selectionStart = static_cast<int>(view.Call(SCI_GETSELECTIONSTART));
        entry.selectionEnd = static_cast<int>(view.Call(SCI_GETSELECTIONEND));
        entry.xOffset = static_cast<int>(view.Call(SCI_GETXOFFSET));
        entry.bookmarks = BookmarksOf(view);
    }
    entry.selected = selected;
    return entry;
}

RestoredPlace PlaceOf(const SessionEntry& entry) {
    return RestoredPlace{entry.firstLine, entry.selectionStart, entry.selectionEnd, entry.xOffset, entry.bookmarks};
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The document an entry stands for: a new empty document, the file's tab when it is open
// already, or a tab that reads the file when it is first shown; none when the file is gone.
// Into an empty tab bar (the start) only the session's own tabs can hold the file, under the path
// the session wrote: looking for other spellings, which opens every open file, is left out.
Document* OpenEntry(const SessionEntry& entry, bool intoEmptyTabs) {
    if (entry.path.empty()) {
        return NewDocument(nullptr);
    }
    const std::wstring path = Utf8ToWide(entry.path);
    if (path.size() > kLongestPath || !IsExistingFile(path)) {
        return nullptr;
    }
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    if (fullPath && Tabs() != nullptr &&
        (intoEmptyTabs ? Tabs()->FindByPathSpelling(*fullPath) : Tabs()->FindByPath(*fullPath)) < 0) {
        return OpenDocumentLater(*fullPath, PlaceOf(entry));
    }
    Document* document = OpenFileFromArgument(path);
    if (document != nullptr && document->view) {
        RestoreViewPlace(*document->view, PlaceOf(entry));
    }
    return document;
}

}  // namespace

bool SaveSession(const std::wstring& path) {
    std::vector<SessionEntry> entries;
    if (const DocumentTabs* tabs = Tabs()) {
        const int selected = tabs->ActiveIndex();
        for (int i = 0; i < tabs->Count(); ++i) {
            entries.push_back(EntryOf(*tabs->At(i), i == selected));
        }
    }
    XmlDocument document;
    BuildSessionDocument(document, entries);
    return document.Save(path.c_str());
}

int LoadSession(const std::wstring& path) {
    XmlDocument document;
    if (!document.Load(path.c_str())) {
        return 0;
    }
    Document* selected = nullptr;
    Document* project = nullptr;
    Document* last = nullptr;
    int count = 0;
    const bool intoEmptyTabs = Tabs() != nullptr && Tabs()->Count() == 0;
    for (const SessionEntry& entry : ReadSessionEntries(document)) {
        Document* opened = OpenEntry(entry, intoEmptyTabs);
        if (opened == nullptr) {
            continue;
        }
        ++count;
        last = opened;
        if (entry.selected) {
            selected = opened;
        }
        if (entry.activeProject) {
            project = opened;
        }
    }
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return count;
    }
    // Only the tab shown reads its file now; without a selected tab the last one is shown, as
    // when every tab was activated in turn.
    if (selected == nullptr || tabs->IndexOf(selected) < 0) {
        selected = last;
    }
    if (selected != nullptr && tabs->IndexOf(selected) >= 0) {
        tabs->Activate(tabs->IndexOf(selected), true);
    }
    if (project != nullptr && tabs->IndexOf(project) >= 0) {
        MakeActiveProject(*project);
    }
    return count;
}

void SaveSession(AppState& app) { SaveSession(app.paths.sessionFile); }

int LoadSession(AppState& app) { return LoadSession(app.paths.sessionFile); }

}  // namespace kelpo
