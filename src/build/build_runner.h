// Build commands: the engine run on a worker thread while the interface thread waits for it in a
// message loop of its own, so the window stays alive; stopping the build; the window's end.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

// Runs one build to its end: the engine with `engineFlag` ("", "/r", "/c" or "/t") for the
// configuration code (-1: the one chosen in the build toolbar) and the project of
// ProjectForBuild. Refused, with a line in the output pane, while another build runs. A batch of
// builds keeps the output of the earlier ones (`clearOutput` false).
void StartBuild(const std::wstring& engineFlag, int configuration, bool clearOutput = true);
bool BuildRunning();
// Ends the running engine and every process it started; the build's output says so.
void StopBuild();
// The main window is going: stops the build and waits for its worker, which writes to the window.
void StopBuildForExit();

// Commands 161-163, 165 and 167; false for any other command.
bool HandleBuildRunCommand(int command);

// What the waiting loop does with a message; the shell's own loop handles its shortcut keys.
// The default translates and dispatches.
using BuildMessageProcessor = void (*)(MSG& message);
void SetBuildMessageProcessor(BuildMessageProcessor processor);

}  // namespace kelpo
