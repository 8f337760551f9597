// The system's common dialogs, reached through their library when one is first shown: the
// library and what it pulls in are not loaded at start-up, where nothing needs them.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace kelpo {

// As GetOpenFileNameW, GetSaveFileNameW, ChooseFontW and ChooseColorW; FALSE, as for a
// cancelled dialog, when the library cannot be loaded.
BOOL ShowOpenFileDialog(OPENFILENAMEW* dialog);
BOOL ShowSaveFileDialog(OPENFILENAMEW* dialog);
BOOL ShowFontDialog(CHOOSEFONTW* dialog);
BOOL ShowColorDialog(CHOOSECOLORW* dialog);

}  // namespace kelpo
