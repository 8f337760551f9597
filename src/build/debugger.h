// Command 164: the user's debugger started on the program built from the current project for the
// configuration chosen in the build toolbar.
#pragma once

#include <string>

namespace kelpo {

// Refusals are lines in the output pane; the debugger's own start is not examined.
bool StartDebugger(unsigned code, const std::wstring& projectPath);
// Command 164; false for any other command.
bool HandleDebugCommand(int command);

}  // namespace kelpo
