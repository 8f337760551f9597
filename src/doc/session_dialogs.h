// The open and save dialogs of the session commands 11 and 12.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kelpo {

// The chosen session file, or nothing when the dialog was cancelled.
std::optional<std::wstring> AskSessionFileToOpen(HWND owner);
std::optional<std::wstring> AskSessionFileToSave(HWND owner);

}  // namespace kelpo
