// The sort-lines options dialog: direction and the four sort options, kept in Config2 bits 16-20.
#pragma once

#include <windows.h>

namespace kelpo {

// Shows the dialog with the options of the settings; OK stores the chosen options in Config2
// (and the settings file) and returns true.
bool ShowSortDialog(HWND owner);

}  // namespace kelpo
