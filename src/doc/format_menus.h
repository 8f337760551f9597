// The status bar's pop-up menus for a document's encoding, line ends and indentation, and
// what choosing one of their items does.
#pragma once

#include <windows.h>

#include <string>

#include "doc/document.h"

namespace kelpo {

// Shown at a screen point; true when the user chose something that changed the document. A
// change shows its new value in its part of the status bar.
bool ShowEncodingMenu(Document& document, POINT screenPoint);
bool ShowLineEndMenu(Document& document, POINT screenPoint);
bool ShowIndentationMenu(Document& document, POINT screenPoint);

// The menus for the current state: a disabled title, then the choices with identifier
// value + 1 (indentation: 1 spaces, 2 tabs), the current one checked.
HMENU BuildEncodingMenu(FileEncoding current);
HMENU BuildLineEndMenu(LineEndMode current);
HMENU BuildIndentationMenu(bool useTabs, int tabWidth);
inline constexpr UINT kIndentWithSpacesItem = 1;
inline constexpr UINT kIndentWithTabsItem = 2;

// The new encoding takes effect at the next save: the text stays as it is and the document
// becomes modified. False when it was the document's encoding already.
bool ChangeEncoding(Document& document, FileEncoding encoding);
// Sets and applies the mode and converts every line end of the text to it; choosing the
// current mode again evens out a text with mixed line ends. False when the mode stayed.
bool ChangeLineEnds(Document& document, LineEndMode mode);
// Tabs or spaces for this view only; the settings keep their own choice. False when unchanged.
bool ChangeIndentation(Document& document, bool useTabs);

// The text of the indentation item and of the status bar's indentation part.
std::wstring IndentationText(bool useTabs, int tabWidth);

}  // namespace kelpo
