// The program's message box: formatted text, caption "Kelpo" and the warning beep.
#pragma once

#include <windows.h>

namespace kelpo {

// Formats with wvsprintfW (at most 1024 characters), beeps and shows the box; returns its answer.
int ShowMessage(HWND owner, UINT flags, const wchar_t* format, ...);

}  // namespace kelpo
