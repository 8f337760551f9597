// Entry points of the document layer used by start-up, the hand-over and dropped files.
#include "doc/document_entry.h"

#include <algorithm>

#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo {

Document* OpenFileFromArgument(const std::wstring& path) { return OpenDocument(path); }

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
