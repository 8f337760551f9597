// The active-project mark: at most one open ".tvk" document is the project that builds use.
#include "doc/project_marks.h"

#include <windows.h>

#include "doc/document_tabs.h"

namespace kelpo {
namespace {

bool g_activeProjectExists = false;

}  // namespace

bool IsProjectFileName(const std::wstring& name) {
    const std::size_t dot = name.find_last_of(L'.');
    return dot != std::wstring::npos && ::lstrcmpiW(name.c_str() + dot + 1, L"tvk") == 0;
}

void ClassifyProjectFile(Document& document) {
    if (!IsProjectFileName(document.displayName)) {
        if (document.kind == DocumentKind::ActiveProject) {
            g_activeProjectExists = false;
        }
        document.kind = DocumentKind::Ordinary;
        return;
    }
    if (document.kind == DocumentKind::ActiveProject) {
        return;
    }
    if (!g_activeProjectExists) {
        document.kind = DocumentKind::ActiveProject;
        g_activeProjectExists = true;
    } else {
        document.kind = DocumentKind::Project;
    }
}

bool ActiveProjectExists() { return g_activeProjectExists; }

void MakeActiveProject(Document& document) {
    if (document.kind != DocumentKind::Project) {
        return;
    }
    if (DocumentTabs* tabs = Tabs()) {
        for (int i = 0; i < tabs->Count(); ++i) {
            Document* other = tabs->At(i);
            if (other->kind == DocumentKind::ActiveProject) {
                other->kind = DocumentKind::Project;
                tabs->UpdateTab(other);
            }
        }
    }
    document.kind = DocumentKind::ActiveProject;
    g_activeProjectExists = true;
    if (DocumentTabs* tabs = Tabs()) {
        tabs->UpdateTab(&document);
    }
}

void ForgetDocumentProject(const Document& document) {
    if (document.kind == DocumentKind::ActiveProject) {
        g_activeProjectExists = false;
    }
}

void ResetProjectMarks() { g_activeProjectExists = false; }

}  // namespace kelpo
