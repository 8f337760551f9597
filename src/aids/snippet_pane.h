// The snippets page of the left pane: a list of the titles in "snippets.txt"; a double click
// inserts the snippet at the caret of the active document.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

inline constexpr int kSnippetListId = 800;

// The context menu's commands.
enum SnippetPaneCommand : int {
    kSnippetEditFile = 1,   // "snippets.txt" opened at the selected snippet's marker line
    kSnippetVariables = 2,  // the Variables dialog
};

// Fills the page with the list and reads "snippets.txt" into it; false when the list could not be
// made. A missing or unreadable file, or one without the UTF-8 mark, gives an empty list.
bool CreateSnippetPane(HWND page);

HWND SnippetList();
int SnippetCount();

// Inserts the snippet at the active view's caret in one undo step: variables expanded, later
// lines indented like the caret's line, the caret put at the first "|" (which is removed) or at
// the start of the text. False when there is no active view or no such snippet.
bool InsertSnippet(int index);

// What the context menu's command does, for the list's selected snippet.
void RunSnippetPaneCommand(int command);

}  // namespace kelpo
