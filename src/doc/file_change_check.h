// Noticing changes made to a document's file outside the program, and reloading it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "doc/document.h"

namespace kelpo {

// The file's last-write time; nothing when it cannot be reached (gone, or its folder with it).
std::optional<FILETIME> LastWriteTimeOf(const std::wstring& path);

// UM_CHECK_FILE: the active document compares its file's last-write time with its own.
void CheckActiveFileChanged();
// Asks whether to reload when the file's last-write time differs from the document's; the new
// time is kept either way, so one change is reported once. A vanished file is not reported.
void CheckFileChanged(Document& document);
// Loads the file again, keeping the caret and the first visible line where they were. When the
// file cannot be read the document keeps its text.
bool ReloadFile(Document& document, const std::wstring& path);

}  // namespace kelpo
