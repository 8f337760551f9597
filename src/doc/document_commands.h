// The file and document commands that the main window runs through the document layer.
#pragma once

#include <windows.h>

namespace kelpo {

enum DocumentCommand : int {
    kCmdNew = 2,
    kCmdClose = 5,
    kCmdCloseOthers = 6,
    kCmdCloseAll = 7,
    kCmdSave = 8,
    kCmdSaveAs = 9,
    kCmdSaveAll = 10,
    kCmdSetActiveProject = 20,
    kCmdNextTab = 201,
    kCmdPreviousTab = 202,
    kCmdBackToTab = 203,
    kCmdActivateTabFirst = 550,
    kCmdActivateTabLast = 649,
    kCmdCloseTabAt = 962,
    kCmdMoveTab = 963,
};

// True when the command belonged to the document layer.
bool HandleDocumentCommand(int command, LPARAM lParam);

}  // namespace kelpo
