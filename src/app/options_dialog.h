// The Options dialog (command 181): six pages chosen in a tree.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr int kCmdOptions = 181;

enum class OptionsPage : int { General = 0, DocumentTabs, Editing, Shortcuts, TemplateValues, FileExplorer };
inline constexpr int kOptionsPageCount = 6;

// Modal; accepting applies every page at once and writes what changed. The page shown last
// is shown again the next time during the same run.
void ShowOptionsDialog(HWND owner);

// The page the dialog opens with; the file explorer page cannot be chosen yet.
OptionsPage LastOptionsPage();
void SetLastOptionsPage(OptionsPage page);

}  // namespace kelpo
