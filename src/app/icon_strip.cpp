// Cutting cells out of the command icon strip and preparing their alpha for the menus.
#include "app/icon_strip.h"

#include <algorithm>
#include <cstddef>

namespace kelpo {
namespace {

std::size_t WholePixelBytes(std::span<const std::uint8_t> pixels) {
    return pixels.size() / kStripBytesPerPixel * kStripBytesPerPixel;
}

bool IsValid(StripShape shape) { return shape.width > 0 && shape.cellSize > 0; }

std::size_t StripBytes(StripShape shape) {
    return static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.cellSize) *
           kStripBytesPerPixel;
}

}  // namespace

int StripCellCount(StripShape shape) { return IsValid(shape) ? shape.width / shape.cellSize : 0; }

std::vector<std::uint8_t> CutStripCell(std::span<const std::uint8_t> strip, StripShape shape, int index) {
    // A damaged or foreign resource may be narrower or shorter than expected: never read past it.
    if (index < 0 || index >= StripCellCount(shape) || strip.size() < StripBytes(shape)) {
        return {};
    }
    const std::size_t cell = static_cast<std::size_t>(shape.cellSize);
    const std::size_t cellRowBytes = cell * kStripBytesPerPixel;
    const std::size_t stripRowBytes = static_cast<std::size_t>(shape.width) * kStripBytesPerPixel;
    const std::size_t cellStart = static_cast<std::size_t>(index) * cellRowBytes;
    std::vector<std::uint8_t> pixels(cellRowBytes * cell);
    for (std::size_t row = 0; row < cell; ++row) {
        const auto source = strip.subspan(row * stripRowBytes + cellStart, cellRowBytes);
        std::copy(source.begin(), source.end(), pixels.begin() + static_cast<std::ptrdiff_t>(row * cellRowBytes));
    }
    return pixels;
}

void PremultiplyAlpha(std::span<std::uint8_t> bgraPixels) {
    const std::size_t whole = WholePixelBytes(bgraPixels);
    for (std::size_t i = 0; i < whole; i += kStripBytesPerPixel) {
        const unsigned alpha = bgraPixels[i + 3];
        for (std::size_t channel = 0; channel < 3; ++channel) {
            bgraPixels[i + channel] = static_cast<std::uint8_t>(bgraPixels[i + channel] * alpha / 255u);
        }
    }
}

void GreyOut(std::span<std::uint8_t> bgraPixels) {
    const std::size_t whole = WholePixelBytes(bgraPixels);
    for (std::size_t i = 0; i < whole; i += kStripBytesPerPixel) {
        const unsigned grey = (bgraPixels[i] * 11u + bgraPixels[i + 1] * 59u + bgraPixels[i + 2] * 30u) / 100u;
        bgraPixels[i] = bgraPixels[i + 1] = bgraPixels[i + 2] = static_cast<std::uint8_t>(grey);
        bgraPixels[i + 3] = static_cast<std::uint8_t>(bgraPixels[i + 3] / 2u);
    }
}

void FlattenOntoColour(std::span<std::uint8_t> bgraPixels, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue) {
    const unsigned background[3] = {blue, green, red};
    const std::size_t whole = WholePixelBytes(bgraPixels);
    for (std::size_t i = 0; i < whole; i += kStripBytesPerPixel) {
        const unsigned alpha = bgraPixels[i + 3];
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const unsigned mixed = bgraPixels[i + channel] * alpha + background[channel] * (255u - alpha);
            bgraPixels[i + channel] = static_cast<std::uint8_t>((mixed + 127u) / 255u);
        }
        bgraPixels[i + 3] = 255;
    }
}

}  // namespace kelpo
