// The modeless search dialogs (Find, Replace, Find in Files), one at a time in the application's
// modeless-dialog slot, and the commands that open them.
#pragma once

#include "base/app_state.h"

namespace kelpo {

enum SearchDialogCommand : int {
    kCmdFindDialog = 141,
    kCmdReplaceDialog = 142,
    kCmdFindInFilesDialog = 147,
};

// Opens the dialog of this kind (Find, Replace or FindInFiles), closing another search dialog;
// the dialog already open, or the favourites organiser, only gets the focus. False when the
// dialog could not be made.
bool OpenSearchDialog(ModelessKind kind);

// Runs 141, 142 and 147; false for any other command.
bool HandleSearchDialogCommand(int command);

}  // namespace kelpo
