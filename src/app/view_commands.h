// The view and layout commands of the main window: bars, panes, full screen, always on top.
#pragma once

namespace kelpo {

enum ViewCommand : int {
    kCmdToggleMainToolbar = 82,
    kCmdToggleSecondToolbar = 83,
    kCmdToggleStatusBar = 84,
    kCmdLockToolbars = 85,
    kCmdHideAllPanes = 87,
    kCmdToggleLeftPane = 88,
    kCmdToggleBottomPane = 89,
    kCmdLeftPaneFirst = 90,
    kCmdLeftPaneLast = 93,
    kCmdBottomPaneFirst = 94,
    kCmdBottomPaneLast = 96,
    kCmdFullScreen = 98,
    kCmdChooseLanguage = 99,
    kCmdLargeIcons = 131,
    kCmdCustomizeToolbar = 132,
    kCmdChooseFont = 183,
    kCmdColorLight = 185,
    kCmdColorDark = 186,
    kCmdColorSystem = 187,
    kCmdAlwaysOnTop = 204,
};

bool HandleViewCommand(int command);

}  // namespace kelpo
