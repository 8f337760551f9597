// The document layer's entry points for files named on the command line or dropped on the window.
#pragma once

#include <string>
#include <vector>

namespace kelpo {

struct Document;

// Opens the file (or activates its tab) and returns its document, or none.
Document* OpenFileFromArgument(const std::wstring& path);
// Places the caret at a 1-based line and column; line -1 goes to the end of the document.
void GoToLineColumn(Document* document, int line, int column);
// Asks about every modified document; false when the user cancelled.
bool AskSaveAll();
// An empty document in a new tab.
Document* CreateEmptyDocument();
// The number of open documents.
int DocumentCount();

// What the document layer was asked to do, in order. Tabs and views do not exist yet, so every
// request is recorded here; tests read the record to see what a start or a hand-over opened.
struct OpenRequest {
    std::wstring path;  // empty for a new empty document
    int line = 0;       // 0 when no caret placement was asked for
    int column = 0;
};
const std::vector<OpenRequest>& OpenRequests();
void ClearOpenRequests();

}  // namespace kelpo
