// The Find, Replace and Find in Files dialogs as in-memory templates, and their control ids.
#pragma once

#include "base/dialog_template.h"

namespace kelpo {

// Ids that the dialogs' commands are known by.
inline constexpr int kRegexBoxId = 9;
inline constexpr int kBookmarkAllId = 14;
inline constexpr int kHighlightAllId = 15;
inline constexpr int kFindAllId = 16;           // Find dialog: in the current document
inline constexpr int kFindAllDocumentsId = 17;  // Find dialog: in every open document
inline constexpr int kReplaceId = 16;           // Replace dialog
inline constexpr int kReplaceAllId = 17;        // Replace dialog
inline constexpr int kFindElementsId = 25;
inline constexpr int kReplaceElementsId = 26;
inline constexpr int kBrowseFolderId = 27;

// The fields and option controls; clear of the command ids 141, 142 and 147 that the dialog
// shortcuts send.
inline constexpr int kFindFieldId = 1001;
inline constexpr int kReplaceFieldId = 1002;
inline constexpr int kFilterFieldId = 1003;
inline constexpr int kLocationFieldId = 1004;
inline constexpr int kMatchCaseBoxId = 1010;
inline constexpr int kWholeWordBoxId = 1011;
inline constexpr int kEscapesBoxId = 1012;
inline constexpr int kWrapBoxId = 1013;
inline constexpr int kSubfoldersBoxId = 1014;
inline constexpr int kPane1RadioId = 1020;
inline constexpr int kPane2RadioId = 1021;
inline constexpr int kScopeDocumentRadioId = 1022;
inline constexpr int kScopeSelectionRadioId = 1023;
inline constexpr int kScopeAllRadioId = 1024;
inline constexpr int kReplaceStatusId = 1030;

DialogTemplate FindDialogTemplate();
// Its status line's text is the format of the Replace All count ("%d").
DialogTemplate ReplaceDialogTemplate();
DialogTemplate FindInFilesDialogTemplate();

}  // namespace kelpo
