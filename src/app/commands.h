// The command identifiers that the main window runs itself, and their dispatch.
#pragma once

#include <windows.h>

namespace kelpo {

enum CommandId : int {
    kCmdOpen = 3,
    kCmdExit = 17,
    kCmdResetLayout = 205,
    kCmdAbout = 217,
    kCmdUsage = 218,
    kCmdEscape = 804,
};

// WM_COMMAND of the main window; false when nobody handled the identifier.
bool DispatchCommand(int command, LPARAM lParam);

// Escape: cancels a call tip, or leaves full screen and hides the bottom pane.
void RunEscapeAction();

}  // namespace kelpo
