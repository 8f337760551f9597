// The program from start to exit: the start-up steps in their order, the loop and the clean-up.
#pragma once

#include <windows.h>

#include "base/settings.h"

namespace kelpo {

// Runs the program; the result is the process's exit code (0 also on failure).
int RunKelpo(HINSTANCE instance);

// The steps that turn a process into a running main window, shared with the tests:
// classes registered once, then a main window created and shown at the place the settings give.
bool PrepareWindowClasses(HINSTANCE instance);
HWND StartMainWindow(HINSTANCE instance, const WindowPos& pos);

}  // namespace kelpo
