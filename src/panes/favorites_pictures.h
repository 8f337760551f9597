// The shell's pictures for favourites: small icons for paths and shell locations, and the same
// as bitmaps that menu items can show.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

namespace kelpo {

// The shell's small icon for a path or a shell location (a path beginning with ":"); null when
// the shell has none, as for a path that does not exist.
HICON ShellIconOfPath(const std::wstring& path);

// The shell's small icon for any folder or any file, whether or not one exists.
HICON GenericShellIcon(bool folder);

// A 32-bit bitmap with alpha of the icon, for MIIM_BITMAP; empty when it cannot be made.
unique_hbitmap MenuBitmapOfIcon(HICON icon);

}  // namespace kelpo
