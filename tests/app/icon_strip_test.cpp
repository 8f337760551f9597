// The command icon strip: cutting cells, premultiplying alpha, and the checked-in strips and
// cell table agreeing with each other and with the toolbar's icon numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/command_icon_table.h"
#include "app/icon_strip.h"

namespace kelpo {
namespace {

// A strip whose every pixel names its own column and row, so a misplaced copy shows.
std::vector<std::uint8_t> NumberedStrip(StripShape shape) {
    std::vector<std::uint8_t> strip;
    for (int y = 0; y < shape.cellSize; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            strip.insert(strip.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7, 255});
        }
    }
    return strip;
}

TEST(IconStrip, CutsWholeCellsOnly) {
    const StripShape shape{7, 2};  // three 2-pixel cells and one stray column
    const auto strip = NumberedStrip(shape);
    EXPECT_EQ(StripCellCount(shape), 3);

    const auto cell = CutStripCell(strip, shape, 1);
    const std::vector<std::uint8_t> expected = {2, 0, 7, 255, 3, 0, 7, 255,   // row 0, columns 2-3
                                                2, 1, 7, 255, 3, 1, 7, 255};  // row 1
    EXPECT_EQ(cell, expected);
    EXPECT_EQ(CutStripCell(strip, shape, 2).front(), 4);

    EXPECT_TRUE(CutStripCell(strip, shape, -1).empty());
    EXPECT_TRUE(CutStripCell(strip, shape, 3).empty());  // the stray column is no cell
}

TEST(IconStrip, RefusesShapesTheBufferCannotHold) {
    const StripShape shape{6, 2};
    auto strip = NumberedStrip(shape);
    strip.pop_back();
    EXPECT_TRUE(CutStripCell(strip, shape, 0).empty());
    EXPECT_TRUE(CutStripCell({}, shape, 0).empty());

    EXPECT_EQ(StripCellCount({0, 16}), 0);
    EXPECT_EQ(StripCellCount({32, 0}), 0);
    EXPECT_EQ(StripCellCount({-32, 16}), 0);
    EXPECT_EQ(StripCellCount({10, 16}), 0);
    EXPECT_TRUE(CutStripCell(strip, {6, 0}, 0).empty());
}

TEST(IconStrip, PremultipliesColourByAlpha) {
    std::vector<std::uint8_t> pixels = {200, 100, 50, 128,   // half covered
                                        255, 255, 255, 0,    // fully transparent
                                        10, 20, 30, 255,     // opaque: unchanged
                                        255, 254, 1, 1,      // barely covered
                                        99, 98};             // stray bytes after the last pixel
    PremultiplyAlpha(pixels);
    const std::vector<std::uint8_t> expected = {100, 50, 25, 128, 0, 0, 0, 0, 10, 20, 30, 255,
                                                1, 0, 0, 1, 99, 98};
    EXPECT_EQ(pixels, expected);
}

TEST(IconStrip, GreysOutAtHalfCover) {
    std::vector<std::uint8_t> pixels = {255, 0, 0, 255,      // blue: 11 % of white
                                        0, 255, 0, 255,      // green: 59 %
                                        0, 0, 255, 201,      // red: 30 %, odd alpha rounded down
                                        255, 255, 255, 0,    // transparent white stays transparent
                                        7};                  // a stray byte
    GreyOut(pixels);
    const std::vector<std::uint8_t> expected = {28, 28, 28, 127, 150, 150, 150, 127, 76, 76, 76, 100,
                                                255, 255, 255, 0, 7};
    EXPECT_EQ(pixels, expected);
}

TEST(IconStrip, FlattensOntoTheBackground) {
    std::vector<std::uint8_t> pixels = {200, 100, 50, 128,   // half covered
                                        255, 255, 255, 0,    // fully transparent: the background
                                        10, 20, 30, 255,     // opaque: unchanged
                                        99, 98};
    FlattenOntoColour(pixels, 10, 20, 30);  // red, green, blue: stored as 30, 20, 10
    const std::vector<std::uint8_t> expected = {115, 60, 30, 255, 30, 20, 10, 255, 10, 20, 30, 255, 99, 98};
    EXPECT_EQ(pixels, expected);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kIconFolder = std::string(KELPO_SOURCE_DIR) + "/res/icons/";

TEST(CommandIconTable, MatchesTheTableTheStripIsDrawnFrom) {
    std::istringstream table(ReadFile(kIconFolder + "command_icons.txt"));
    std::vector<std::pair<int, int>> rows;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        int index = 0;
        int command = 0;
        if (line.empty() || line[0] == '#' || !(fields >> index >> command)) {
            continue;
        }
        rows.emplace_back(index, command);
    }
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCommandIconCount));
    const auto commands = CommandIconCommands();
    ASSERT_EQ(commands.size(), static_cast<std::size_t>(kCommandIconCount));
    for (const auto& [index, command] : rows) {
        ASSERT_GE(index, 0);
        ASSERT_LT(index, kCommandIconCount);
        EXPECT_EQ(commands[static_cast<std::size_t>(index)], command) << "cell " << index;
        EXPECT_EQ(CommandIconIndex(command), index) << "command " << command;
    }
    EXPECT_EQ(std::set<int>(commands.begin(), commands.end()).size(), commands.size());
}

TEST(CommandIconTable, KeepsTheToolbarAndPaneIconNumbers) {
    // Icon number → command of the main toolbar's available buttons and of the pane pages.
    const std::pair<int, int> fixed[] = {
        {0, 2},   {1, 3},   {2, 8},   {3, 10},  {4, 31},  {5, 32},  {6, 33},   {7, 34},   {8, 35},
        {11, 141}, {12, 142}, {13, 147}, {17, 90}, {18, 91}, {19, 92}, {20, 93}, {21, 94}, {22, 95},
        {23, 96}, {31, 183}, {9, 104}, {10, 102}, {32, 192}, {16, 98}, {28, 181}, {36, 191}};
    for (const auto& [index, command] : fixed) {
        EXPECT_EQ(CommandIconIndex(command), index) << "command " << command;
    }
    EXPECT_EQ(CommandIconIndex(0), -1);
    EXPECT_EQ(CommandIconIndex(804), -1);
}

std::uint32_t ReadU32(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + i])) << (8 * i);
    }
    return value;
}

TEST(CommandIconStrip, CheckedInStripsHoldEveryCellWithStraightAlpha) {
    for (const int size : {16, 24}) {
        SCOPED_TRACE(size);
        const std::string file = ReadFile(kIconFolder + "command_icons_" + std::to_string(size) + ".bmp");
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file.substr(0, 2), "BM");
        const std::uint32_t pixelOffset = ReadU32(file, 10);
        EXPECT_EQ(ReadU32(file, 14), 40u);  // BITMAPINFOHEADER
        const auto width = static_cast<int>(ReadU32(file, 18));
        const auto height = static_cast<std::int32_t>(ReadU32(file, 22));
        EXPECT_EQ(width, kCommandIconCount * size);
        EXPECT_EQ(height, size);                            // bottom-up, one row of cells
        EXPECT_EQ(ReadU32(file, 26) >> 16, 32u);            // bits per pixel
        EXPECT_EQ(ReadU32(file, 30), 0u);                   // BI_RGB
        const StripShape shape{width, size};
        const std::span<const std::uint8_t> pixels(reinterpret_cast<const std::uint8_t*>(file.data()) + pixelOffset,
                                                   file.size() - pixelOffset);
        ASSERT_EQ(StripCellCount(shape), kCommandIconCount);

        bool colourAboveAlpha = false;  // impossible once premultiplied
        for (int index = 0; index < kCommandIconCount; ++index) {
            const auto cell = CutStripCell(pixels, shape, index);
            ASSERT_EQ(cell.size(), static_cast<std::size_t>(size * size * 4));
            int opaque = 0;
            for (std::size_t i = 0; i < cell.size(); i += 4) {
                opaque += cell[i + 3] == 255;
                colourAboveAlpha |= cell[i + 3] < 255 && (cell[i] > cell[i + 3] || cell[i + 1] > cell[i + 3] ||
                                                          cell[i + 2] > cell[i + 3]);
            }
            EXPECT_GT(opaque, size) << "cell " << index << " is nearly empty";
        }
        EXPECT_TRUE(colourAboveAlpha);
    }
}

}  // namespace
}  // namespace kelpo
