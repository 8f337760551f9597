// The Replace dialog: replace and find next, Replace All in the chosen scope, and the status line
// that shows the count in red or green.
#pragma once

#include <windows.h>

#include <string>

namespace kelpo {

inline constexpr COLORREF kNothingReplacedColor = RGB(255, 0, 0);
inline constexpr COLORREF kReplacedColor = RGB(0, 128, 0);

// Takes the status line's template text as the count's format and empties the line.
void InitReplaceDialog(HWND dialog);

// Runs one of the Replace dialog's commands with the options already read; false for an id that
// is not one of them.
bool HandleReplaceDialogCommand(HWND dialog, int id);

// WM_CTLCOLORSTATIC: the status line's colours; 0 for any other control.
INT_PTR ColorReplaceStatus(HWND dialog, HDC dc, HWND control);

// The format with its "%d" replaced by the count (the count appended when there is none).
std::wstring FormatCount(const std::wstring& format, int count);

}  // namespace kelpo
