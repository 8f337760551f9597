// The message loop of the user-interface thread with its special key handling.
#pragma once

#include <windows.h>

namespace kelpo {

struct AppState;

// Applies the loop's steps to one message; true when it was translated or dispatched.
void ProcessMessage(AppState& app, MSG& message);
// Runs until WM_QUIT; returns the quit code.
int RunMessageLoop(AppState& app);

}  // namespace kelpo
