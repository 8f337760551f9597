// Opening, creating and closing documents, and what their views report.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "doc/document.h"

namespace kelpo {

// An empty document in a new tab, named "Untitled N"; with a template its bytes are inserted.
Document* NewDocument(const wchar_t* templatePath);
// The document of the file: its existing tab when it is open, else a new tab; none on failure.
Document* OpenDocument(const std::wstring& path);
// A new, inactive tab for the file (full path, not open yet) that reads it when first shown and
// then takes the place; the name, path, project mark and read-only mark show at once.
Document* OpenDocumentLater(const std::wstring& fullPath, std::optional<RestoredPlace> place);
// Reads the files of the tabs that were restored without them, for commands that need every
// document's text; tabs whose file can no longer be read are closed (and reported).
void LoadAllDocuments();
// Puts the view where the place says.
void RestoreViewPlace(const EditorView& view, const RestoredPlace& place);

void CloseActiveTab();
void CloseOtherTabs();
void CloseAllTabs();
// Saves the modified documents in tab order, asking first when `ask`; false when cancelled.
bool AskSaveAll(bool ask);

// WM_NOTIFY from an editor view: the document whose view sent it, after its share of the
// handling; nullptr for a view that belongs to no document.
Document* OnViewNotify(const SCNotification& notification);

}  // namespace kelpo
