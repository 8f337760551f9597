// The user-interface text table: texts looked up by number, translated when a language is chosen.
#pragma once

#include <string>

#include "base/app_paths.h"

namespace kelpo {

// The numbers of the texts, as translation files name them.
enum UiTextId : int {
    kTextOpenBuildFile = 2,           // %s: "tarvik.ini", "build.xml", "vc.mk" or "OutputRoot"
    kTextSearchProgress = 7,          // %s: the file being searched
    kTextNotFoundForward = 8,
    kTextNotFoundBackward = 9,
    kTextSearchCancelled = 10,
    kTextSearchSummary = 11,          // %d matches, %d files with matches, %d files searched
    kTextLocationExplorerFolder = 12,
    kTextLocationDocumentFolder = 13,
    kTextLocationProjectFolder = 14,
    kTextBatchBuildTool = 31,         // the batch-build list's columns
    kTextBatchBuildType = 32,
    kTextBatchBuildArchitecture = 33,
    kTextOpenTemplateFolder = 34,
    kTextFavoriteSeparator = 43,      // the label of a separator in the favourites organiser
    kTextFavoritesRoot = 64,
    kTextNewCategory = 65,
    kTextSaveQuestion = 100,          // %s: the file or tab name
};

// An empty code or "ENU" keeps the built-in English texts; any other code reads
// "lang\<code>.ini" (section "Strings", keys are text numbers) from the program's folder.
void LoadInterfaceLanguage(const AppPaths& paths, const std::wstring& code);
// The text with this number: the translation's when it has one, else the built-in default.
std::wstring UiText(int number);

}  // namespace kelpo
