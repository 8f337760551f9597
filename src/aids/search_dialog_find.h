// The Find dialog's commands: find next, bookmark all, highlight all and find all.
#pragma once

#include <windows.h>

namespace kelpo {

// OK in the Find and Replace dialogs: the Find field's text searched forward in the active
// document.
void FindNextFromDialog(HWND dialog);

// Runs one of the Find dialog's commands with the options already read; false for an id that
// is not one of them. The dialog is closed after 14 to 17 have acted.
bool HandleFindDialogCommand(HWND dialog, int id);

}  // namespace kelpo
