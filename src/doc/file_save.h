// Writing a document's text back to its file in its own encoding, and the save questions.
#pragma once

#include <string>

#include "doc/document.h"

namespace kelpo {

// Writes the document to `path`. The bytes are composed before the disk is touched and reach
// the file whole or not at all; on failure the user is told which file could not be written,
// the old file is left as it was and the document stays modified.
bool SaveFile(Document& document, const std::wstring& path);
// Saves a modified document, asking first when `ask` is true; false when the user cancelled
// or the save failed. A new document is saved through the save dialog; cancelling that dialog
// after answering the question with Yes cancels too, so that closing cannot drop the text.
bool AskSave(Document& document, bool ask);
// The save dialog, then a save under the chosen name; false when nothing was saved.
bool SaveAs(Document& document);

}  // namespace kelpo
