// The Go to Symbol dialog: the symbols of the active document in a table, found by typing the
// start of a name.
#pragma once

#include <windows.h>

#include <functional>

namespace kelpo {

struct Document;

inline constexpr int kCmdGoToSymbol = 149;
inline constexpr int kSymbolFilterField = 101;
inline constexpr int kSymbolTable = 102;

// Tests stand in for the user: the hook runs once the dialog is up and filled; empty shows it.
using GoToSymbolDialogHook = std::function<void(HWND dialog)>;
void SetGoToSymbolDialogHook(GoToSymbolDialogHook hook);

// The 1-based line of the chosen symbol, or -1 when the dialog was cancelled.
int AskSymbolLine(HWND owner, const Document& document);

// Command 149: the caret of the active document goes to the chosen symbol's line. False when there
// is no document with a file.
bool GoToSymbolWithDialog(HWND owner);

}  // namespace kelpo
