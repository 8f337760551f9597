// The command icons on Windows: the strip resources as image lists for the toolbars and pane
// tabs, and cut into one bitmap per command for the menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <span>
#include <vector>

#include "base/handles.h"

namespace kelpo {

namespace detail {
inline void DestroyImageListHandle(HIMAGELIST h) noexcept { ::ImageList_Destroy(h); }
}  // namespace detail
using unique_himagelist = unique_any<HIMAGELIST, detail::DestroyImageListHandle>;

// A 32-bit DIB section of `width` × |height| pixels (a negative height for rows top-down) holding
// a copy of the first pixels; null when it cannot be made or the pixels are too few.
unique_hbitmap CreatePixelBitmap(std::span<const std::uint8_t> pixels, int width, int height);

// The strip of 24-pixel icons for a size of 24 or more, else the 16-pixel one: a 32-bit DIB
// section with straight alpha. Null when the resource cannot be loaded.
unique_hbitmap LoadCommandIconStrip(HINSTANCE instance, int size);

// A 32-bit image list holding the strip's cells in order, for toolbars and tab controls.
unique_himagelist LoadCommandImageList(HINSTANCE instance, int size);

// The images of the eleven compiler generations, for the build configuration box.
unique_himagelist LoadToolImageList(HINSTANCE instance);

// How menu item bitmaps must carry their transparency.
enum class MenuBitmapAlpha {
    Straight,       // as in the strip
    Premultiplied,  // colour × alpha / 255: menus that blend (Windows 6.0 and later)
    Flattened,      // laid over the menu colour and opaque: menus that copy bitmaps without blending
};

// Premultiplied on Windows 6.0 and later; flattened on older systems and under Wine, whose
// pop-up menus copy item bitmaps without blending (transparent pixels would show black).
MenuBitmapAlpha MenuBitmapAlphaForSystem();

// One 32-bit DIB section per cell of the strip (its height is the cell size), in strip order.
// Cells that the strip does not hold stay null; a strip that is not a 32-bit DIB section gives
// no bitmaps at all.
std::vector<unique_hbitmap> CutMenuBitmaps(HBITMAP strip, MenuBitmapAlpha alpha);

// Gives each item of the menu and its submenus whose command has a cell that cell's bitmap,
// shown in place of the check mark (MNS_CHECKORBMP). The bitmaps must outlive the menu.
void ApplyMenuIcons(HMENU menu, const std::vector<unique_hbitmap>& bitmaps);

}  // namespace kelpo
