// The window-list dialog: every open document with its facts, sortable, to pick one to activate.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr int kWindowListControlId = 1001;

// Command 206. Modal; the chosen document becomes the active one.
void ShowWindowListDialog(HWND owner);

}  // namespace kelpo
