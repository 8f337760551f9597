// What the status bar shows for the active document, and its click menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "doc/document.h"

namespace kelpo {

// Caret position, line ends, encoding, indentation, insert mode and language of the document.
void ShowDocumentStatus(const Document& document);
// NM_CLICK on the status bar: parts 2, 3 and 4 open the line-end, encoding and indentation menus.
bool OnStatusBarClick(const NMMOUSE& click);

}  // namespace kelpo
