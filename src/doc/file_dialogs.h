// The open and save dialogs of the document layer.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "doc/document.h"

namespace kelpo {

// Command 3: the multi-selection open dialog; every chosen file is opened in turn.
void OpenFilesWithDialog();
// The save dialog for the document; the chosen path, or nothing when cancelled.
std::optional<std::wstring> AskSavePath(const Document& document);

// Tests stand in for the user at the dialogs; empty hooks show the dialogs again.
using SaveDialogHook = std::function<std::optional<std::wstring>(const Document& document)>;
using OpenDialogHook = std::function<std::vector<std::wstring>()>;
void SetSaveDialogHook(SaveDialogHook hook);
void SetOpenDialogHook(OpenDialogHook hook);

}  // namespace kelpo
