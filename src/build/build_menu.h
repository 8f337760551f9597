// The Build menu's share of the build front end: configuration submenus of the installed tools,
// the items that open its files, and the build consoles.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

// Start-up: with "build.exe" in the program folder, one submenu per installed tool is put after
// "Build Console" and items 172-175 get their labels; without it the Build pop-up is removed from
// the menu bar.
void SetUpBuildMenu(HMENU menuBar, const std::wstring& programFolder);

// Configuration items (consoles), 171 (console of the current configuration) and 172-175.
bool HandleBuildMenuCommand(int command);

// Where build consoles start: the active document's folder, else DefaultDir of "tarvik.ini".
std::wstring ConsoleFolder();

}  // namespace kelpo
