// Pixel work on the command icon strip: one row of square 32-bit cells, cut apart for the menus
// and prepared for however the system draws menu bitmaps (premultiplied, or flattened).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kelpo {

inline constexpr int kStripBytesPerPixel = 4;

// A strip in memory: `width` pixels per row and `cellSize` rows of 32-bit pixels, rows packed
// without padding (32-bit rows never need any).
struct StripShape {
    int width = 0;
    int cellSize = 0;
};

// Number of whole cells in the strip; a narrower piece at the right end is not a cell.
int StripCellCount(StripShape shape);

// The pixels of cell `index`: cellSize rows of cellSize pixels, rows in the strip's own order
// (so a bottom-up strip gives bottom-up cells). Empty when the index is not a whole cell of the
// strip or the buffer is shorter than the shape says.
std::vector<std::uint8_t> CutStripCell(std::span<const std::uint8_t> strip, StripShape shape, int index);

// B, G and R of every BGRA pixel multiplied by its alpha / 255 (rounded down). Bytes after the
// last whole pixel are left alone.
void PremultiplyAlpha(std::span<std::uint8_t> bgraPixels);

// Every straight-alpha BGRA pixel turned to its grey (luminance, rounded down) at half its
// alpha: how a disabled button shows its icon. Bytes after the last whole pixel are left alone.
void GreyOut(std::span<std::uint8_t> bgraPixels);

// Every BGRA pixel laid over an opaque background colour (rounded to nearest) and made opaque, for
// surfaces that copy bitmaps without blending. Bytes after the last whole pixel are left alone.
void FlattenOntoColour(std::span<std::uint8_t> bgraPixels, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue);

}  // namespace kelpo
