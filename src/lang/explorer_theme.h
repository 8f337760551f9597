// The system's "Explorer" look for list and tree controls, where the theme library offers it.
#pragma once

#include <windows.h>

namespace kelpo {

// Gives the control the "Explorer" visual style; does nothing where the theme library or its
// SetWindowTheme is missing.
void ApplyExplorerTheme(HWND control);

}  // namespace kelpo
