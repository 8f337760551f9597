// The main menu of the main window.
#pragma once

#include <windows.h>

namespace kelpo {

HMENU BuildMainMenu();

}  // namespace kelpo
