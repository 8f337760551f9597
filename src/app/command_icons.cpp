// Loading the command icon strips and preparing them for toolbars, pane tabs and menus.
#include "app/command_icons.h"

#include <versionhelpers.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/command_icon_table.h"
#include "app/icon_strip.h"
#include "base/resource_ids.h"

// The strips' identifiers belong beside the other resource identifiers; these stand in for them
// with the same numbers until they are there.

namespace kelpo {
namespace {

constexpr int kLargeIconSize = 24;

// The pixels of a 32-bit DIB section as they lie in memory, with the sign of its height.
struct DibPixels {
    std::span<const std::uint8_t> bytes;
    int width = 0;
    int height = 0;  // negative for a top-down bitmap
};

bool ReadDibPixels(HBITMAP bitmap, DibPixels& pixels) {
    DIBSECTION section{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr || section.dsBmih.biBitCount != 32 || section.dsBm.bmWidth <= 0 ||
        section.dsBm.bmHeight <= 0) {
        return false;
    }
    ::GdiFlush();  // pending drawing into the section must land before its bits are read
    const auto size =
        static_cast<std::size_t>(section.dsBm.bmWidthBytes) * static_cast<std::size_t>(section.dsBm.bmHeight);
    pixels.bytes = {static_cast<const std::uint8_t*>(section.dsBm.bmBits), size};
    pixels.width = section.dsBm.bmWidth;
    pixels.height = section.dsBmih.biHeight < 0 ? -section.dsBm.bmHeight : section.dsBm.bmHeight;
    return true;
}

void ApplyMenuIconsToItems(HMENU menu, const std::vector<unique_hbitmap>& bitmaps) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item)) {
            continue;
        }
        if (item.hSubMenu != nullptr) {
            ApplyMenuIconsToItems(item.hSubMenu, bitmaps);
            continue;
        }
        const int index = CommandIconIndex(static_cast<int>(item.wID));
        if (index < 0 || static_cast<std::size_t>(index) >= bitmaps.size()) {
            continue;
        }
        const unique_hbitmap& bitmap = bitmaps[static_cast<std::size_t>(index)];
        if (!bitmap) {
            continue;
        }
        MENUITEMINFOW picture{};
        picture.cbSize = sizeof(picture);
        picture.fMask = MIIM_BITMAP;
        picture.hbmpItem = bitmap.get();
        ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &picture);
    }
}

}  // namespace

unique_hbitmap CreatePixelBitmap(std::span<const std::uint8_t> pixels, int width, int height) {
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(std::abs(height)) * 4;
    if (width <= 0 || height == 0 || pixels.size() < size) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    std::copy(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(size), static_cast<std::uint8_t*>(bits));
    return bitmap;
}

unique_hbitmap LoadCommandIconStrip(HINSTANCE instance, int size) {
    const int id = size >= kLargeIconSize ? IDB_COMMANDS_24 : IDB_COMMANDS_16;
    return unique_hbitmap(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

namespace {

unique_himagelist ImageListOfStrip(const unique_hbitmap& strip, int count) {
    BITMAP shape{};
    if (!strip || ::GetObjectW(strip.get(), sizeof(shape), &shape) != sizeof(shape) || shape.bmHeight <= 0) {
        return {};
    }
    const int cellSize = shape.bmHeight;
    unique_himagelist list(::ImageList_Create(cellSize, cellSize, ILC_COLOR32, count, 0));
    // The list copies the cells; straight alpha is what a 32-bit image list expects.
    if (!list || ::ImageList_Add(list.get(), strip.get(), nullptr) < 0) {
        return {};
    }
    return list;
}

}  // namespace

unique_himagelist LoadCommandImageList(HINSTANCE instance, int size) {
    return ImageListOfStrip(LoadCommandIconStrip(instance, size), kCommandIconCount);
}

unique_himagelist LoadToolImageList(HINSTANCE instance) {
    const unique_hbitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLS_16), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return ImageListOfStrip(strip, 11);
}

MenuBitmapAlpha MenuBitmapAlphaForSystem() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return ::IsWindowsVistaOrGreater() && !wine ? MenuBitmapAlpha::Premultiplied : MenuBitmapAlpha::Flattened;
}

std::vector<unique_hbitmap> CutMenuBitmaps(HBITMAP strip, MenuBitmapAlpha alpha) {
    DibPixels pixels;
    if (!ReadDibPixels(strip, pixels)) {
        return {};
    }
    const bool topDown = pixels.height < 0;
    const StripShape shape{pixels.width, topDown ? -pixels.height : pixels.height};
    const COLORREF menuColour = ::GetSysColor(COLOR_MENU);
    std::vector<unique_hbitmap> bitmaps(kCommandIconCount);
    for (int index = 0; index < kCommandIconCount; ++index) {
        std::vector<std::uint8_t> cell = CutStripCell(pixels.bytes, shape, index);
        if (cell.empty()) {
            continue;
        }
        if (alpha == MenuBitmapAlpha::Premultiplied) {
            PremultiplyAlpha(cell);
        } else if (alpha == MenuBitmapAlpha::Flattened) {
            FlattenOntoColour(cell, GetRValue(menuColour), GetGValue(menuColour), GetBValue(menuColour));
        }
        // The same row order as the cut pixels.
        bitmaps[static_cast<std::size_t>(index)] =
            CreatePixelBitmap(cell, shape.cellSize, topDown ? -shape.cellSize : shape.cellSize);
    }
    return bitmaps;
}

void ApplyMenuIcons(HMENU menu, const std::vector<unique_hbitmap>& bitmaps) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
    info.dwStyle = MNS_CHECKORBMP;
    ::SetMenuInfo(menu, &info);
    ApplyMenuIconsToItems(menu, bitmaps);
}

}  // namespace kelpo
