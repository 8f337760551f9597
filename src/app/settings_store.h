// Reading the settings at start and writing them at exit.
#pragma once

#include "base/app_state.h"
#include "base/settings.h"

namespace kelpo {

// Fills the settings of the state record and returns where the main window goes.
WindowPos LoadSettings(AppState& app);
// Writes the settings that are kept until exit, in their fixed order.
void SaveSettings(AppState& app);

// Creates the interface font and the editor font from the settings.
void CreateFonts(AppState& app);
// The editor font key: "Courier New" 10 unless the key names another face and size.
void ReadEditorFont(AppState& app);

}  // namespace kelpo
