// Collecting the session from the open tabs and restoring tabs and view state from it.
#include "doc/session.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/app_state.h"
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
    if (document.HasPath() && document.view) {
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

void RestoreViewState(const EditorView& view, const SessionEntry& entry) {
    view.Call(SCI_LINESCROLL, 0, -(view.Call(SCI_GETLINECOUNT) + 1));
    view.Call(SCI_LINESCROLL, 0, std::max(entry.firstLine, 0));
    const sptr_t length = view.Call(SCI_GETLENGTH);
    view.Call(SCI_SETSELECTIONSTART, std::clamp<sptr_t>(entry.selectionStart, 0, length));
    view.Call(SCI_SETSELECTIONEND, std::clamp<sptr_t>(entry.selectionEnd, 0, length));
    view.Call(SCI_SETXOFFSET, std::max(entry.xOffset, 0));
    for (const int line : entry.bookmarks) {
        // A file that is already open may carry the mark; a second one would outlive its toggle.
        if ((view.Call(SCI_MARKERGET, line) & kBookmarkMask) == 0) {
            view.Call(SCI_MARKERADD, line, kBookmarkMarker);
        }
    }
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The document an entry stands for: its file opened like a command-line argument, or a new
// empty document; none when the file is gone or does not open.
Document* OpenEntry(const SessionEntry& entry) {
    if (entry.path.empty()) {
        return NewDocument(nullptr);
    }
    const std::wstring path = Utf8ToWide(entry.path);
    if (path.size() > kLongestPath || !IsExistingFile(path)) {
        return nullptr;
    }
    Document* document = OpenFileFromArgument(path);
    if (document != nullptr && document->view) {
        RestoreViewState(*document->view, entry);
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
    int count = 0;
    for (const SessionEntry& entry : ReadSessionEntries(document)) {
        Document* opened = OpenEntry(entry);
        if (opened == nullptr) {
            continue;
        }
        ++count;
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
