// The templates menu of the New button's drop-down: the files of the "template" folder beside the
// program, each making a new document that holds its text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

namespace kelpo {

struct Document;

inline constexpr int kOpenTemplateFolderCommand = 999;

// The file names in the template folder, in the order the file system gives them; only files
// (no folders) whose name has a ".".
std::vector<std::wstring> ListTemplates();
// The menu text of a template: its name without the last extension.
std::wstring TemplateMenuText(const std::wstring& fileName);

// Items 1 .. N for the templates, then a separator and the open-folder item.
unique_hmenu BuildTemplatesMenu(const std::vector<std::wstring>& names);

// A new document from the template file (its language from the extension, the caret at the first
// "|", which is removed); none when no tab could be made.
Document* NewDocumentFromTemplate(const std::wstring& fileName);

// What a menu command does: 1 .. N a new document from that template, 999 the folder opened.
void RunTemplatesCommand(int command, const std::vector<std::wstring>& names);

// Builds the menu afresh, shows it below the button's screen rectangle and carries out the choice.
void ShowTemplatesMenu(HWND owner, const RECT& button);

}  // namespace kelpo
