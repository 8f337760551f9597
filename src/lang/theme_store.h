// The program-wide style theme in force: the stores every editor view takes its look from, and
// loading them from the built-in theme or from a theme file beside the program.
#pragma once

#include <windows.h>

#include <string>

#include "lang/global_style_settings.h"
#include "lang/theme_apply.h"

namespace kelpo {

struct AppState;

// The global part of the theme in force (the language parts live in the catalogue's slots).
const GlobalStyleSettings& GlobalStyles();
// The default style's colours and a solid brush of its background, for the panes that paint
// themselves; the brush is null before the first load.
const ThemeDefaultColors& ThemeColors();
HBRUSH ThemeBackgroundBrush();

// The built-in theme from the program's resources (type RT_HTML, number 1). Its parsed document
// is kept after the first success; a missing or unparsable resource fails and changes nothing.
bool LoadBuiltinTheme(bool reset);
// "style\<name>.xml" in the program's folder; an empty name fails at once.
bool LoadThemeFile(const std::wstring& name, bool reset);
// A theme file at any path; unreadable or unparsable files fail and change nothing.
bool LoadThemeFromPath(const std::wstring& path, bool reset);

// Start-up: the theme named by the setting `style`, else (or when that fails) the built-in one.
// The setting read is kept in app.settings.style.
bool LoadStartupTheme(AppState& app);

// Called after every load with reset, so panes that paint in the theme's colours (and the output
// pane's own styles) can follow. None by default.
using ThemeChangedHandler = void (*)();
void SetThemeChangedHandler(ThemeChangedHandler handler);

}  // namespace kelpo
