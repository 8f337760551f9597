// Text forms, repairs and window-placement rules of the settings.
#include <gtest/gtest.h>

#include "base/config_bits.h"
#include "base/settings_values.h"

namespace kelpo {
namespace {

MonitorQueries OneMonitor(ScreenRect area) {
    MonitorQueries monitors;
    monitors.liesOnMonitor = [area](const ScreenRect& r) {
        return r.left < area.right && r.right > area.left && r.top < area.bottom && r.bottom > area.top;
    };
    monitors.nearestMonitorArea = [area](const ScreenRect&) { return area; };
    return monitors;
}

TEST(ConfigWords, DefaultsAndLayoutReset) {
    EXPECT_EQ(kConfig1Default, 39883681u);
    EXPECT_EQ(kConfig2Default, 117507140u);
    // Left pane, toolbars, status bar, line numbers and indentation guides are on at first start.
    for (auto bit : {kC1LeftPane, kC1MainToolbar, kC1SecondToolbar, kC1StatusBar, kC1LineNumbers,
                     kC1IndentGuides, kC1Session, kC1NewFileAtStart}) {
        EXPECT_TRUE(kConfig1Default & bit) << bit;
    }
    EXPECT_FALSE(kConfig1Default & kC1BottomPane);
    EXPECT_EQ(GetBits(kConfig1Default, kC1SymbolViewShift, 2), 2u);

    const std::uint32_t everythingOn = 0xFFFFFFFFu;
    const std::uint32_t reset = ResetLayoutConfig1(everythingOn);
    EXPECT_EQ(reset & (0x3Fu << 5), kC1LeftPane | kC1MainToolbar | kC1SecondToolbar | kC1StatusBar);
    EXPECT_EQ(GetBits(reset, kC1LeftTabShift, 3), 0u);
    EXPECT_EQ(GetBits(reset, kC1BottomTabShift, 3), 0u);
    EXPECT_EQ(reset & 0x1Fu, 0x1Fu);           // layout version untouched
    EXPECT_TRUE(reset & kC1AlwaysOnTop);        // bit 11 is not a layout bit
    EXPECT_EQ(ResetLayoutConfig1(kConfig1Default), kConfig1Default);
}

TEST(ConfigWords, TabWidthAndMigrationMarks) {
    EXPECT_EQ(TabWidthOf(kConfig2Default), 4);
    EXPECT_EQ(IndentWidthOf(kConfig2Default), 4);
    EXPECT_EQ(TabWidthOf(kConfig2Default & ~0xFu), 1);
    EXPECT_TRUE(NeedsLegacyWindowMigration(kConfig1Default & ~0x1Fu));
    EXPECT_FALSE(NeedsLegacyWindowMigration(kConfig1Default));
    EXPECT_EQ(MarkWindowMigrated(0x1Fu | kC1LeftPane), 1u | kC1LeftPane);
    EXPECT_EQ(SetBits(0, kC2ColorModeShift, 2, 2) >> 28, 2u);
}

TEST(SettingsValues, WindowPosNeedsAllFiveNumbers) {
    EXPECT_EQ(ParseWindowPos(L"10,20,810,620,3"), (WindowPos{{10, 20, 810, 620}, 3}));
    EXPECT_EQ(ParseWindowPos(L"-1920,0,-100, 900,1"), (WindowPos{{-1920, 0, -100, 900}, 1}));
    EXPECT_FALSE(ParseWindowPos(L"10,20,810,620").has_value());
    EXPECT_FALSE(ParseWindowPos(L"10,20,x,620,1").has_value());
    EXPECT_FALSE(ParseWindowPos(L"").has_value());
    EXPECT_EQ(FormatWindowPos(WindowPos{{-5, 6, 700, 800}, 1}), L"-5,6,700,800,1");
}

TEST(SettingsValues, FontKey) {
    FontSpec font = ParseFontSpec(L"Consolas,  \t12");
    EXPECT_EQ(font.face, L"Consolas");
    EXPECT_EQ(font.points, 12);
    font = ParseFontSpec(L"Fixedsys");
    EXPECT_EQ(font.face, L"Fixedsys");
    EXPECT_FALSE(font.hasSize);
    font = ParseFontSpec(std::wstring(40, L'F') + L", 9");
    EXPECT_EQ(font.face.size(), 31u);
    EXPECT_EQ(font.points, 9);
    EXPECT_EQ(FormatFontSpec(L"Courier New", 10), L"Courier New, 10");
}

TEST(SettingsValues, NumbersAreRepaired) {
    EXPECT_EQ(ClampMruSize(31), 30);
    EXPECT_EQ(ClampMruSize(-4), 0);
    EXPECT_EQ(RepairSearchFlags(0), 34);
    EXPECT_EQ(RepairSearchFlags(5), 5);
    EXPECT_EQ(RepairNewFileEncode(5), 0);
    EXPECT_EQ(RepairNewFileEncode(4), 4);
    EXPECT_EQ(RepairPaneSize(5, 1000, 290), 290);
    EXPECT_EQ(RepairPaneSize(901, 1000, 290), 290);
    EXPECT_EQ(RepairPaneSize(900, 1000, 290), 900);
}

TEST(WindowPlacement, StoredPositionIsKeptOnlyOnAMonitorAndMadeLargeEnough) {
    const MonitorQueries monitors = OneMonitor({0, 0, 1280, 1024});
    EXPECT_EQ(AcceptStoredWindowPos(WindowPos{{10, 10, 200, 100}, 1}, monitors),
              (WindowPos{{10, 10, 510, 310}, 1}));
    EXPECT_EQ(AcceptStoredWindowPos(WindowPos{{100, 50, 900, 650}, 3}, monitors),
              (WindowPos{{100, 50, 900, 650}, 3}));
    // A monitor that is no longer attached: the position is dropped.
    EXPECT_EQ(AcceptStoredWindowPos(WindowPos{{3000, 0, 3800, 600}, 1}, monitors), WindowPos{});
    EXPECT_EQ(AcceptStoredWindowPos(std::nullopt, monitors), WindowPos{});
    // A hidden main window would leave nothing to close.
    EXPECT_EQ(AcceptStoredWindowPos(WindowPos{{0, 0, 800, 600}, 0}, monitors).showCmd, 1);
}

TEST(WindowPlacement, NoPositionGivesCentredDefaultLiftedThirtyPixels) {
    const MonitorQueries monitors = OneMonitor({0, 0, 1280, 1024});
    const WindowPos pos = PlaceOnMonitor(WindowPos{}, monitors);
    EXPECT_EQ(pos.rect, (ScreenRect{250, 192, 1030, 772}));
    EXPECT_EQ(pos.showCmd, 1);
    const WindowPos second = PlaceOnMonitor(WindowPos{}, OneMonitor({1280, 0, 2560, 1024}));
    EXPECT_EQ(second.rect.left, 1280 + 250);
    const WindowPos kept = PlaceOnMonitor(WindowPos{{10, 10, 510, 310}, 3}, monitors);
    EXPECT_EQ(kept, (WindowPos{{10, 10, 510, 310}, 3}));
}

}  // namespace
}  // namespace kelpo
