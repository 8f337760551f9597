// The notification-area icon of the main window.
#pragma once

#include <windows.h>

namespace kelpo {

void AddTrayIcon(HWND mainWindow);
void RemoveTrayIcon(HWND mainWindow);

}  // namespace kelpo
