// The program's message box: formatted text, caption "Kelpo" and the warning beep.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kelpo {

// Formats with wvsprintfW (at most 1024 characters), beeps and shows the box; returns its answer.
int ShowMessage(HWND owner, UINT flags, const wchar_t* format, ...);

// Receives the formatted text and the box flags instead of the user and returns the button
// "pressed". Tests install one so that no box waits for a click; an empty hook shows boxes again.
using MessageHook = std::function<int(UINT flags, const std::wstring& text)>;
void SetMessageHook(MessageHook hook);

}  // namespace kelpo
