// Putting a text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

// Replaces the clipboard's contents with the text: as CF_TEXT in the ANSI code page (at most
// 259 bytes and the terminating zero, never cutting a character in two) and, so that names outside
// the code page survive, as CF_UNICODETEXT in full. False when the clipboard could not be set.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

}  // namespace kelpo
