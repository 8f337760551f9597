// Reading, checking and writing the text forms of individual settings values.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/settings.h"

namespace kelpo {

// "%d,%d,%d,%d,%d": left, top, right, bottom, show command. All five numbers must be present.
std::optional<WindowPos> ParseWindowPos(std::wstring_view text);
std::wstring FormatWindowPos(const WindowPos& pos);

// The editor font key "Face, size": face up to the first comma (at most 31 characters),
// size after it with leading blanks skipped. The key's text is first limited to what fits in
// 64 bytes of the ANSI code page, which the caller has already applied.
struct FontSpec {
    std::wstring face;
    int points = 0;
    bool hasSize = false;
};
FontSpec ParseFontSpec(std::wstring_view text);
std::wstring FormatFontSpec(std::wstring_view face, int points);

// Integer keys with their repairs.
int ClampMruSize(int value);            // 0-30
int RepairSearchFlags(int value);       // 0 becomes 34
int RepairNewFileEncode(int value);     // outside 0-4 becomes 0
// A pane size below 6 or above the client extent less 100 goes back to its default.
int RepairPaneSize(int value, int clientExtent, int defaultValue);

// The rules that place the main window at start.
struct MonitorQueries {
    std::function<bool(const ScreenRect&)> liesOnMonitor;                 // MonitorFromRect, DEFAULTTONULL
    std::function<ScreenRect(const ScreenRect&)> nearestMonitorArea;      // full area of the nearest monitor
};
// A stored position counts only when it lies on a monitor; it is then made at least 500 x 300.
WindowPos AcceptStoredWindowPos(const std::optional<WindowPos>& stored, const MonitorQueries& monitors);
// A rectangle on no monitor becomes 780 x 580 centred on the nearest monitor, lifted 30 pixels.
WindowPos PlaceOnMonitor(WindowPos pos, const MonitorQueries& monitors);

}  // namespace kelpo
