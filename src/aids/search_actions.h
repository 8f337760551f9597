// What the search dialogs start: Find All into a result pane and Find in Files on a worker.
#pragma once

#include <string>

namespace kelpo {

// Every match of the current find text with the current options, in the active document or in
// every document in tab order, one result line per match, then the summary line. The pane is
// the one SearchFlags chooses (bit 0x100). Returns the number of matches.
int FindAllToResultPane(bool allDocuments);

struct FindInFilesRequest {
    std::wstring text;     // what to find, at most 256 characters
    std::wstring filter;   // "*.c;*.h"; empty means "*.*"
    std::wstring folder;   // the folder to walk
    bool matchCase = false;
    bool wholeWord = false;
    bool subfolders = true;
    int pane = 0;          // result pane 0 or 1
};

// Clears the pane and starts the search on a worker thread; a search already writing to that
// pane is stopped first. False (with a status-bar message) for a request that cannot run: empty
// text, a text or folder too long, a folder that does not exist.
bool StartFindInFiles(const FindInFilesRequest& request);

// Stops every running search and waits for its worker; at the main window's end.
void StopAllSearches();
// Waits until the search writing to the pane has ended (nothing when none runs).
void WaitForSearch(int pane);

// The summary line of a search: the user-interface text with the three counts.
std::wstring FormatSearchSummary(int found, int filesWithMatches, int filesSearched);

}  // namespace kelpo
