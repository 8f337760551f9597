// The Explorer page of the left pane: the address box, the toolbar with its filter box and the
// hosted folder view.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "panes/explorer_rules.h"

namespace kelpo {

class CFolderView;

// Child identifiers of the page.
inline constexpr int kExplorerToolbarId = 80;
inline constexpr int kExplorerAddressId = 81;
inline constexpr int kExplorerFilterId = 82;

// Commands of the toolbar (WM_COMMAND to the page).
enum ExplorerCommand : int {
    kExplorerBack = 10,
    kExplorerForward = 11,
    kExplorerUp = 12,
    kExplorerNewFile = 13,
    kExplorerNewFolder = 14,
    kExplorerDelete = 15,
    kExplorerViewSettings = 16,
    kExplorerAddToFavorites = 17,
    kExplorerShowDocumentFolder = 18,
};

// Items of the view settings drop-down (command 16).
enum ExplorerViewSetting : int {
    kExplorerToggleAddress = 1,   // Config2 bit 12 set hides the address box
    kExplorerToggleToolbar,       // bit 14 set hides the toolbar
    kExplorerToggleLabelTips,     // bit 13 set drops the list's label tips
    kExplorerCustomizeToolbar,
    kExplorerFilterOptions,
};
void RunExplorerViewSetting(int item);

// Reads the explorer's keys and builds the page's controls.
bool CreateExplorerPane(HWND page);
// Shows the stored folder, unless the page showed a folder already (the start calls it once the
// window shows; the functions below that need the folder do it first themselves).
void BrowseExplorerStartFolder();
HWND ExplorerPage();
// The browser of the page, while the page exists.
CFolderView* ExplorerFolderView();

// The current folder's file-system path; empty outside the file system or without a pane.
std::wstring ExplorerCurrentFolder();
// Shows a folder, or a file selected in its folder; an empty path shows the active document's
// folder with the document selected.
void ShowFolderInExplorer(const std::wstring& path);
// The selection (or, with nothing selected, the current folder) goes to the favourites.
void AddExplorerSelectionToFavorites();

// The open rule and the filter list, as the filter options dialog shows and changes them.
struct ExplorerOpenRule {
    OpenMode mode = OpenMode::Exclude;
    std::wstring excludePatterns;
    std::wstring includePatterns;
};
ExplorerOpenRule ExplorerOpenRuleNow();
void SetExplorerOpenRule(const ExplorerOpenRule& rule);
const std::vector<std::wstring>& ExplorerFilterLines();
// Refills the filter box, keeping its text.
void SetExplorerFilterLines(std::vector<std::wstring> lines);

// The message loop's step for the explorer: the keys of the folder view and of the address box.
bool TranslateExplorerMessage(MSG& message);

// Writes the keys kept at exit: SortColumn, Path, ViewMode, ViewFlags, IconSize, FilesToolbar.
void SaveExplorerPaneSettings();

}  // namespace kelpo
