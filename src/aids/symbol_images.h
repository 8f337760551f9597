// The 16 pictures of the symbol pane's image list, drawn at start rather than shipped as bitmaps.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace kelpo {

inline constexpr int kSymbolImageCount = 16;

// A new 16-pixel image list with the pictures in their fixed order; nullptr on failure.
HIMAGELIST CreateSymbolImages();

}  // namespace kelpo
