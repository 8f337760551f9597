// The document layer's entry points for files named on the command line or dropped on the window.
#pragma once

#include <string>

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

}  // namespace kelpo
