// The one application state record: settings, window handles, fonts and process-wide state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/handles.h"
#include "base/recent_lists.h"
#include "base/settings.h"

namespace kelpo {

// Kinds of the dialog held in the modeless-dialog slot.
enum class ModelessKind : int {
    None = 0,
    Find = 15,
    Replace = 16,
    FindInFiles = 17,
    FavoritesOrganizer = 24,
};

struct ModelessSlot {
    HWND dialog = nullptr;
    ModelessKind kind = ModelessKind::None;
};

// The child windows of the main window and what the last layout measured.
struct ShellWindows {
    HWND rebar = nullptr;
    HWND mainToolbar = nullptr;
    HWND buildToolbar = nullptr;       // rebar band 1, only when the build engine is present
    HWND configurationBox = nullptr;   // the build configuration combo box on it
    HWND statusBar = nullptr;
    HWND leftHost = nullptr;    // pane host, child id 94
    HWND bottomHost = nullptr;  // pane host, child id 95
    int statusHeight = 0;
    int statusPartWidths[7] = {};
    int dragSplitter = 0;       // 0 none, 1 left, 2 bottom
    unsigned rememberedPanes = 0;  // command 87: bit 0 left, bit 1 bottom
    LONG_PTR savedStyle = 0;       // full screen keeps the window style and menu to put back
    HMENU savedMenu = nullptr;
    WINDOWPLACEMENT savedTabsPlacement{sizeof(WINDOWPLACEMENT)};
};

struct AppState {
    AppPaths paths;
    Settings settings;

    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    bool starting = true;   // cleared when the start-up hand-over has run
    bool created = false;   // set when WM_CREATE has finished

    // Full screen keeps what it needs to put the window back.
    bool fullScreen = false;
    WINDOWPLACEMENT fullScreenPlacement{sizeof(WINDOWPLACEMENT)};

    ShellWindows shell;

    unique_hfont uiFont;
    unique_hfont editorFont;
    bool trayIconShown = false;

    DWORD osMajor = 0;
    DWORD osMinor = 0;
    DWORD osBuild = 0;

    unique_haccel mainAccelerators;
    unique_haccel dialogAccelerators;
    unique_haccel organizerAccelerators;
    ModelessSlot modeless;
    HWND organizerLabelEdit = nullptr;  // the favourites organiser's label edit control while editing
    RecentLists recent;  // "Files", "Projects" and the four search histories of "mru.ini"
};

// The record lives for the whole process.
AppState& App();

}  // namespace kelpo
