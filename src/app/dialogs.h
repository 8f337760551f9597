// Small modal dialogs of the application shell.
#pragma once

#include <windows.h>

namespace kelpo {

void ShowUsageDialog(HWND owner);
void ShowAboutDialog(HWND owner);

}  // namespace kelpo
