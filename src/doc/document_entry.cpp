// Entry points of the document layer used by start-up, the hand-over and dropped files.
#include "doc/document_entry.h"

#include <windows.h>

#include <algorithm>

#include "base/file_paths.h"
#include "base/handles.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo {
namespace {

// Opened the way the loader opens it: a folder, a missing file or one locked by another program
// fails here as it would there.
bool CanReadFile(const std::wstring& path) {
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace

Document* OpenFileFromArgument(const std::wstring& path) { return OpenDocument(path); }

Document* OpenFileFromArgumentLater(const std::wstring& path) {
    DocumentTabs* tabs = Tabs();
    const std::optional<std::wstring> fullPath = FullPathOf(path);
    if (tabs == nullptr || !fullPath || !CanReadFile(*fullPath)) {
        return OpenDocument(path);
    }
    if (const int index = tabs->FindByPath(*fullPath); index >= 0) {
        return tabs->At(index);
    }
    return OpenDocumentLater(*fullPath, std::nullopt);
}

void OpenFiles(const std::vector<std::wstring>& paths) {
    std::wstring lastOpened;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const Document* document =
            i + 1 == paths.size() ? OpenFileFromArgument(paths[i]) : OpenFileFromArgumentLater(paths[i]);
        if (document != nullptr) {
            lastOpened = document->path;
        }
    }
    ActivateDocumentOf(lastOpened);
}

void ActivateDocumentOf(const std::wstring& fullPath) {
    DocumentTabs* tabs = Tabs();
    const int index = tabs != nullptr && !fullPath.empty() ? tabs->FindByPathSpelling(fullPath) : -1;
    if (index >= 0 && index != tabs->ActiveIndex()) {
        tabs->Activate(index, true);
    }
}

void GoToLineColumn(Document* document, int line, int column) {
    if (document == nullptr || !document->view) {
        return;
    }
    const EditorView& view = *document->view;
    const int lineCount = static_cast<int>(view.Call(SCI_GETLINECOUNT));
    if (line == -1) {
        view.Call(SCI_DOCUMENTEND);
        return;
    }
    line = std::min(line, lineCount);
    if (line < 1) {
        return;
    }
    const sptr_t end = view.Call(SCI_GETLINEENDPOSITION, line - 1);
    const int target = std::max(column, 1) - 1;
    // The component finds the column in one pass; a column inside a tab gives the tab's own
    // position, and the caret goes past the tab, to the first position at or after the column.
    sptr_t position = view.Call(SCI_FINDCOLUMN, line - 1, target);
    if (position < end && view.Call(SCI_GETCOLUMN, position) < target) {
        position = view.Call(SCI_POSITIONAFTER, position);
    }
    view.Call(SCI_SETXCARETPOLICY, CARET_SLOP | CARET_STRICT | CARET_EVEN, 50);
    view.Call(SCI_SETYCARETPOLICY, CARET_SLOP | CARET_STRICT | CARET_EVEN, 5);
    view.Call(SCI_GOTOPOS, std::min(position, end));
    view.Call(SCI_CHOOSECARETX);
    view.Call(SCI_SETXCARETPOLICY, CARET_SLOP | CARET_EVEN, 50);
    view.Call(SCI_SETYCARETPOLICY, CARET_EVEN, 0);
}

bool AskSaveAll() { return AskSaveAll(true); }

Document* CreateEmptyDocument() { return NewDocument(nullptr); }

int DocumentCount() { return Tabs() != nullptr ? Tabs()->Count() : 0; }

}  // namespace kelpo
