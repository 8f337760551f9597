// The two packed option words of the settings file and the operations on them.
#pragma once

#include <cstdint>

namespace kelpo {

inline constexpr std::uint32_t kConfig1Default = 0x026093A1;  // 39883681
inline constexpr std::uint32_t kConfig2Default = 0x07010444;  // 117507140

// Config1 bits.
inline constexpr std::uint32_t kC1LayoutVersionMask = 0x1F;
inline constexpr std::uint32_t kC1LeftPane = 1u << 5;
inline constexpr std::uint32_t kC1BottomPane = 1u << 6;
inline constexpr std::uint32_t kC1MainToolbar = 1u << 7;
inline constexpr std::uint32_t kC1SecondToolbar = 1u << 8;
inline constexpr std::uint32_t kC1StatusBar = 1u << 9;
inline constexpr std::uint32_t kC1LockToolbars = 1u << 10;
inline constexpr std::uint32_t kC1AlwaysOnTop = 1u << 11;
inline constexpr std::uint32_t kC1LineNumbers = 1u << 12;
inline constexpr std::uint32_t kC1WhiteSpace = 1u << 13;
inline constexpr std::uint32_t kC1LineEnds = 1u << 14;
inline constexpr std::uint32_t kC1IndentGuides = 1u << 15;
inline constexpr std::uint32_t kC1WordWrap = 1u << 16;
inline constexpr int kC1NewLineModeShift = 17;  // 2 bits: 0 CRLF, 1 CR, 2 LF
inline constexpr std::uint32_t kC1SeveralInstances = 1u << 19;
inline constexpr std::uint32_t kC1LargeIcons = 1u << 20;
inline constexpr std::uint32_t kC1Session = 1u << 21;
inline constexpr std::uint32_t kC1NewFileAtStart = 1u << 22;
inline constexpr std::uint32_t kC1TrayIcon = 1u << 23;
inline constexpr int kC1SymbolViewShift = 24;   // 2 bits
inline constexpr int kC1LeftTabShift = 26;      // 3 bits
inline constexpr int kC1BottomTabShift = 29;    // 3 bits

// Config2 bits.
inline constexpr int kC2TabWidthShift = 0;      // 4 bits
inline constexpr int kC2IndentWidthShift = 4;   // 4 bits
inline constexpr std::uint32_t kC2UseTabs = 1u << 8;
inline constexpr std::uint32_t kC2TitleFileNameOnly = 1u << 9;
inline constexpr std::uint32_t kC2DoubleClickCloses = 1u << 10;
inline constexpr int kC2ExplorerOptionsShift = 11;  // 4 bits
inline constexpr int kC2SortOptionsShift = 16;      // 5 bits
inline constexpr std::uint32_t kC2TabsMultiline = 1u << 21;
inline constexpr std::uint32_t kC2TabsFixedWidth = 1u << 22;
inline constexpr std::uint32_t kC2TabsBottom = 1u << 23;
inline constexpr std::uint32_t kC2TabTipFullPath = 1u << 24;
inline constexpr std::uint32_t kC2MiddleClickCloses = 1u << 25;
inline constexpr std::uint32_t kC2CheckUpdates = 1u << 26;
inline constexpr std::uint32_t kC2FavoritesFullPaths = 1u << 27;
inline constexpr int kC2ColorModeShift = 28;        // 2 bits: 0 light, 1 dark, 2 system

constexpr std::uint32_t GetBits(std::uint32_t word, int shift, int width) {
    return (word >> shift) & ((1u << width) - 1u);
}

constexpr std::uint32_t SetBits(std::uint32_t word, int shift, int width, std::uint32_t value) {
    const std::uint32_t mask = ((1u << width) - 1u) << shift;
    return (word & ~mask) | ((value << shift) & mask);
}

// Command 205: panes and toolbar flags back to their first-start state.
constexpr std::uint32_t ResetLayoutConfig1(std::uint32_t config1) {
    return (config1 & 0x03FFF81Fu) | 0x3A0u;
}

// Settings whose window position is still in the five legacy keys carry layout version 0.
constexpr bool NeedsLegacyWindowMigration(std::uint32_t config1) {
    return (config1 & kC1LayoutVersionMask) == 0;
}

constexpr std::uint32_t MarkWindowMigrated(std::uint32_t config1) {
    return (config1 & ~0x1Eu) | 1u;
}

// Tab width is 1-15; a stored 0 counts as 1.
constexpr int TabWidthOf(std::uint32_t config2) {
    const int width = static_cast<int>(GetBits(config2, kC2TabWidthShift, 4));
    return width == 0 ? 1 : width;
}

constexpr int IndentWidthOf(std::uint32_t config2) {
    return static_cast<int>(GetBits(config2, kC2IndentWidthShift, 4));
}

}  // namespace kelpo
