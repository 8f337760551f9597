// The command icons shown beside the main menu's items.
#pragma once

#include <windows.h>

namespace kelpo {

// Cuts the icon strip into bitmaps (once) and sets them on the menu's items.
void ApplyCommandMenuIcons(HMENU menu);

}  // namespace kelpo
