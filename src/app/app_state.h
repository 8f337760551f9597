// The one application state record: settings, window handles, fonts and process-wide state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/handles.h"
#include "app/settings.h"

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
};

// The record lives for the whole process.
AppState& App();

}  // namespace kelpo
