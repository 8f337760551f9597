// The document layer's entry points for files named on the command line or dropped on the window.
#pragma once

#include <string>
#include <vector>

namespace kelpo {

struct Document;

// Opens the file (or activates its tab) and returns its document, or none.
Document* OpenFileFromArgument(const std::wstring& path);
// For one of many files: an inactive tab that reads the file when it is first shown, or the
// file's tab, not activated, when it is open already. A file that cannot be read opens at once
// as above, which reports it.
Document* OpenFileFromArgumentLater(const std::wstring& path);
// Opens the files into tabs in their order: the last one is read now, the others as above. The
// last one that opened is shown.
void OpenFiles(const std::vector<std::wstring>& paths);
// Brings the tab of the document kept under this path to the front, unless it is there already
// (or gone: a tab that waited for a file that went away is closed). Paths are what callers keep
// across opens, as an open may close other tabs.
void ActivateDocumentOf(const std::wstring& fullPath);
// Places the caret at a 1-based line and column; line -1 goes to the end of the document.
void GoToLineColumn(Document* document, int line, int column);
// Asks about every modified document; false when the user cancelled.
bool AskSaveAll();
// An empty document in a new tab.
Document* CreateEmptyDocument();
// The number of open documents.
int DocumentCount();

}  // namespace kelpo
