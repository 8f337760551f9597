// The user commands of the Build menu: the Build and AutoBuild submenus filled from "tarvik.ini"
// each time they open, and their command chains run on threads of their own whose output goes
// to the output pane.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelpo {

// The fixed first items of the two submenus; they open "tarvik.ini", where the commands are.
inline constexpr int kCmdUserBuildMenu = 168;
inline constexpr int kCmdUserAutoBuildMenu = 170;

// WM_INITMENUPOPUP: refills the pop-up whose first item is 168 or 170; other pop-ups are left.
void OnUserCommandMenuPopup(HMENU popup);
// 168, 170 and the user commands 0xE000-0xE064; false for any other command.
bool HandleUserCommand(int command);

// Runs a command chain on a thread of its own; the caller does not wait. False when the thread
// could not start.
bool RunCommandChain(const std::wstring& text);
// Runs one interpreter command, already split into arguments, the same way.
bool RunInterpreterCommand(const std::vector<std::wstring>& arguments);
int RunningCommandChains();
// The main window is going: chains still running are not waited for (a console they wait on may
// stay open for hours); from now on they show nothing in any window and touch no settings.
void DetachCommandChains();

}  // namespace kelpo
