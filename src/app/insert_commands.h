// Commands 64 and 65: insert a chosen colour, or the date or time from a list.
#pragma once

#include "Scintilla.h"

namespace kelpo {

class EditorView;

enum InsertCommand : int {
    kCmdInsertColour = 64,
    kCmdInsertDateTime = 65,
};

// The user list type of the date-and-time list, as SCN_USERLISTSELECTION reports it.
inline constexpr int kDateTimeListType = 1;

// Runs 64 or 65 on the active view; false for any other command or without an active view.
bool HandleInsertCommand(int command);

// SCN_USERLISTSELECTION of list type 1: inserts the chosen item and remembers its position
// as DateTimeId. Returns false for other lists and for texts that were not offered.
bool OnDateTimeListSelection(EditorView& view, const SCNotification& notification);

}  // namespace kelpo
