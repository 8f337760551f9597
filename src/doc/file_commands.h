// Document commands that act on a document's file or tab: 4, 18, 19, 22-29, 206, the window menu
// and the enabled states of the document items of the menus.
#pragma once

#include <windows.h>

#include <string>

#include "doc/document.h"

namespace kelpo {

enum FileCommand : int {
    kCmdOpenIncludedFile = 4,
    kCmdRename = 18,
    kCmdToggleReadOnly = 19,
    kCmdShowInExplorerPane = 21,
    kCmdShowInShellExplorer = 22,
    kCmdOpenCommandWindow = 23,
    kCmdCopyPath = 24,
    kCmdCopyFolder = 25,
    kCmdCopyFileName = 26,
    kCmdSwitchSourceHeader = 27,
    kCmdDeleteFile = 28,
    kCmdRevert = 29,
    kCmdWindowList = 206,
};

// True when the command is one of the above (it is then handled, or ignored without a document
// or, where it needs one, without a file). Command 21 is left to the file explorer pane, which
// shows the active document's file, or its own current folder without one: false here.
bool HandleFileCommand(int command);

// WM_INITMENUPOPUP: the window menu is the pop-up that holds the item of command 206 itself (not
// in a sub-menu). Below its fixed items it lists every open tab, after a separator, with command
// 550 + tab index; the first nine carry "&1 " to "&9 ", the active tab is checked. The list is
// replaced at every opening, so its fixed items may be anything. At most 100 tabs are listed,
// as far as the commands 550-649 reach. Other pop-ups are left alone.
void OnWindowMenuPopup(HMENU popup);

// WM_INITMENUPOPUP (or WM_INITMENU with the bar): command 8 is enabled for a writable modified
// document, 19 for a document with a file (checked when read-only), 20 for a project file that is
// not the active project. Items are found by command anywhere in `menu` and its sub-menus.
void UpdateDocumentMenuStates(HMENU menu);

// Command 18 without the dialog: moves the document's file to `newPath` (or saves a new document
// there) and takes the new name. False, with the document unchanged, when that failed.
bool RenameDocument(Document& document, const std::wstring& newPath);

}  // namespace kelpo
