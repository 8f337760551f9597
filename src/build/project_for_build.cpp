// Choice of the project file for a build: the one being edited wins over the active project.
#include "build/project_for_build.h"

#include "doc/document_tabs.h"
#include "doc/project_marks.h"

namespace kelpo {
namespace {

bool IsProject(const Document& document) { return document.kind != DocumentKind::Ordinary && document.HasPath(); }

}  // namespace

std::wstring ProjectForBuild() {
    DocumentTabs* tabs = Tabs();
    const Document* current = tabs != nullptr ? tabs->Active() : nullptr;
    if (current == nullptr) {
        return {};
    }
    if (IsProject(*current)) {
        return current->path;
    }
    const bool activeOnly = ActiveProjectExists();
    for (int i = 0; i < tabs->Count(); ++i) {
        const Document& document = *tabs->At(i);
        if (IsProject(document) && (!activeOnly || document.kind == DocumentKind::ActiveProject)) {
            return document.path;
        }
    }
    return {};
}

}  // namespace kelpo
