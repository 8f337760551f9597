// The Find in Files dialog: find text, file filter and location with their histories, the
// folder picker, and OK that starts the search.
#pragma once

#include <windows.h>

namespace kelpo {

void InitFindInFilesDialog(HWND dialog);

// Runs one of the dialog's commands with the options already read; false for an id that is not
// one of them. OK closes the dialog once the search has started.
bool HandleFindInFilesCommand(HWND dialog, int id);

}  // namespace kelpo
