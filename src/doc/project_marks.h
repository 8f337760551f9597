// Project files of the build front end: which open document is the active project.
#pragma once

#include "doc/document.h"

namespace kelpo {

bool IsProjectFileName(const std::wstring& name);
// A ".tvk" document becomes the active project when there is none yet, else a project file.
void ClassifyProjectFile(Document& document);
bool ActiveProjectExists();
// Command 20: the document becomes the active project; any other active one turns back into a project.
void MakeActiveProject(Document& document);
// A closing document gives up its mark.
void ForgetDocumentProject(const Document& document);
void ResetProjectMarks();

}  // namespace kelpo
