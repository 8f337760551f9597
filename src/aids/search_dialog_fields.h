// What the search dialogs share: options shown on and read from their check boxes and radio
// buttons, the history lists in their fields, and the texts taken from the fields.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "aids/document_search.h"
#include "base/recent_list.h"

namespace kelpo {

// The view of the active document, or none.
EditorView* ActiveDocumentView();

// Sets every option control the dialog has from the option word (SearchFlags).
void ShowSearchOptions(HWND dialog, std::uint32_t options);
// The option word with the bits of the dialog's controls replaced by what they show; bits
// without a control in this dialog are kept.
std::uint32_t ReadSearchOptions(HWND dialog, std::uint32_t options);

// The regular-expression check box enables the element buttons.
void EnableElementButtons(HWND dialog);

// The combo box's list becomes the history, most recent first.
void FillHistory(HWND field, const RecentList& history);
// The Find field: the find history, with the selection on one line or the word at the caret as
// its text, or else the newest history entry chosen.
void PrefillFindField(HWND dialog);
// The Replace field: the replace history with its newest entry chosen.
void PrefillReplaceField(HWND dialog);

std::wstring FieldText(HWND dialog, int fieldId);
// Moves the focus to the field with its text selected.
void FocusField(HWND dialog, int fieldId);

// The Find field's text as a request with the current options, taken as the find text and put
// into the find history. Nothing for an empty field; a text too long to search is refused with
// a status-bar message and the focus back in the field.
std::optional<SearchRequest> TakeFindField(HWND dialog);
// The Replace field's text, prepared with the current options, taken as the replace text (into
// the replace history when not empty). Nothing, with a message, for a text too long.
std::optional<std::string> TakeReplaceField(HWND dialog);

}  // namespace kelpo
