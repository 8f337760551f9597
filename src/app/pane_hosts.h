// The left and bottom pane hosts: tab controls whose tabs hold the pane pages.
#pragma once

#include <windows.h>

namespace kelpo {

enum class Pane { Left, Bottom };

inline constexpr int kLeftHostId = 94;
inline constexpr int kBottomHostId = 95;

// Creates both hosts and their pages; false when a host could not be made.
bool CreatePaneHosts(HWND mainWindow);
// Shows or hides a pane (its Config1 bit) and redoes the layout.
void ShowPane(Pane pane, bool visible);
// Selects a page of a pane, stores it in Config1 and optionally shows the pane.
void SelectPaneTab(Pane pane, int index, bool show);
// The selected page is fitted into its host's display area.
void FitPanePage(Pane pane);
// TCN_SELCHANGE from a host.
bool OnPaneHostNotify(const NMHDR* header);
// The page window of a pane tab, for the parts that fill pages.
HWND PanePage(Pane pane, int index);

}  // namespace kelpo
