// The values of the settings file's main section, with their first-start defaults.
#pragma once

#include <cstdint>
#include <string>

#include "base/config_bits.h"

namespace kelpo {

inline constexpr int kWindowDefaultEdge = static_cast<int>(0x80000000u);  // CW_USEDEFAULT

struct ScreenRect {
    int left = kWindowDefaultEdge;
    int top = kWindowDefaultEdge;
    int right = kWindowDefaultEdge;
    int bottom = kWindowDefaultEdge;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// A window rectangle with the show command it is to be shown with ("%d,%d,%d,%d,%d").
struct WindowPos {
    ScreenRect rect;
    int showCmd = 1;
    friend bool operator==(const WindowPos&, const WindowPos&) = default;
};

inline constexpr int kDefaultLeftTabWidth = 290;
inline constexpr int kDefaultBottomTabHeight = 200;
inline constexpr int kDefaultSearchFlags = 34;
inline constexpr int kDefaultMruSize = 20;
inline constexpr int kMaxMruSize = 30;

struct Settings {
    std::uint32_t config1 = kConfig1Default;
    std::uint32_t config2 = kConfig2Default;
    int mruSize = kDefaultMruSize;
    int dateTimeId = 0;
    int zoomLevel = 0;
    int searchFlags = kDefaultSearchFlags;
    int newFileEncode = 0;
    std::wstring fontFace = L"Courier New";
    int fontPoints = 10;
    int leftTabWidth = kDefaultLeftTabWidth;
    int bottomTabHeight = kDefaultBottomTabHeight;
    int buildToolId = 0;
    std::wstring style;        // theme name; empty = built-in theme
    std::wstring mainToolbar;
    std::wstring filesToolbar;
    std::wstring lang;         // interface language code
    std::wstring debugger;
    std::wstring author;
    std::wstring email;
    std::wstring company;
    bool backupUnsaved = true;  // snapshots of unsaved documents, restored after a crash
};

}  // namespace kelpo
