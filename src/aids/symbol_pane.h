// The Symbols page of the left pane: one symbol tree per opened file, the active document's shown.
#pragma once

#include <windows.h>

#include "aids/symbol_tree.h"

namespace kelpo {

struct Document;

// The commands of the tree's context menu.
enum SymbolMenuCommand : int {
    kSymbolMenuGrouped = 1,
    kSymbolMenuAlphabetical = 2,
    kSymbolMenuByLine = 3,
    kSymbolMenuCollapse = 4,
    kSymbolMenuExpand = 5,
    kSymbolMenuGoToSymbol = 6,
};

// Takes over the page; false when its image list could not be made.
bool CreateSymbolPane(HWND page);

// A file was opened: its tree is made, and shown when it is the active document's. ctags fills a
// tree when it is first seen (shown with the page in sight).
void AddDocumentSymbols(Document& document);
// The file was saved: its tree, once filled, is filled again, keeping the selected symbol selected.
void RefreshDocumentSymbols(const Document& document);
// The active document changed: its tree is shown, every other one hidden.
void ShowDocumentSymbols(const Document* document);
// The document is closing: its tree goes with it.
void RemoveDocumentSymbols(const Document& document);

// The pane's pictures, shared with the Go to Symbol dialog.
HIMAGELIST SymbolImages();

// The document's tree, or nullptr; the tree the pane shows, or nullptr.
SymbolTree* SymbolTreeOf(const Document& document);
SymbolTree* ShownSymbolTree();

// One of the context menu's commands on the shown tree; false when it cannot run (no tree, or an
// empty one).
bool RunSymbolMenuCommand(int command);

}  // namespace kelpo
