// The explorer's filter options: the open rule's mode and patterns, and the filter box's lines.
#pragma once

#include <windows.h>

namespace kelpo {

// Modal, two pages; what a page accepts is written and applied at once.
void ShowExplorerFilterOptions(HWND owner);

}  // namespace kelpo
