// The build toolbar, band 1 of the rebar: the configuration box followed by the build, rebuild,
// clean and stop buttons. It exists only when the build engine lies in the program folder.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr int kBuildToolbarId = 0x7FF1;  // no command has this number
inline constexpr UINT kBuildBandId = 1;
inline constexpr int kBuildBandWidth = 240;

// Creates the toolbar and its box, adds it as band 1 and records both in the state record;
// false (and nothing added) when the engine is absent or a window could not be made.
bool AddBuildToolbar(HWND rebar);

// The settings keep the box's selection as BuildToolId.
void StoreBuildToolId();

}  // namespace kelpo
