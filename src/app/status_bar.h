// The status bar: seven parts for messages, caret, line ends, encoding, indentation, mode, language.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

enum StatusPart : int {
    kStatusMessage = 0,
    kStatusCaret = 1,
    kStatusLineEnds = 2,
    kStatusEncoding = 3,
    kStatusIndentation = 4,
    kStatusMode = 5,
    kStatusLanguage = 6,
    kStatusSimple = 255,
};

inline constexpr int kStatusBarId = 99;
inline constexpr wchar_t kCaretFormat[] = L"Ln %d, Col %d, Sel %d (%d)";
inline constexpr wchar_t kIndentSpacesFormat[] = L"Spaces: %d";

// Creates the status bar and measures its parts; false when it could not be made.
bool CreateStatusBar(HWND mainWindow);
// Assigns the part edges from the right edge of a client area of this width.
void SetStatusParts(int clientWidth);
void SetStatusText(int part, const std::wstring& text);
std::wstring StatusText(int part);

}  // namespace kelpo
