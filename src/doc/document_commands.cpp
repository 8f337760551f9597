// Document commands: new, close, save, tab navigation and tab moves.
#include "doc/document_commands.h"

#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_save.h"
#include "doc/project_marks.h"

namespace kelpo {
namespace {

void ActivateNeighbour(DocumentTabs& tabs, int step) {
    const int count = tabs.Count();
    if (count < 2) {
        return;
    }
    const int next = (tabs.ActiveIndex() + step + count) % count;
    tabs.Activate(next, false);
}

void CloseTabAt(DocumentTabs& tabs, int index) {
    if (index < 0 || index >= tabs.Count()) {
        return;
    }
    tabs.Activate(index, false);
    CloseActiveTab();
}

}  // namespace

bool HandleDocumentCommand(int command, LPARAM lParam) {
    DocumentTabs* tabs = Tabs();
    if (tabs == nullptr) {
        return false;
    }
    Document* active = tabs->Active();
    if (command >= kCmdActivateTabFirst && command <= kCmdActivateTabLast) {
        if (command - kCmdActivateTabFirst < tabs->Count()) {
            tabs->Activate(command - kCmdActivateTabFirst, true);
        }
        return true;
    }
    switch (command) {
    case kCmdNew:
        NewDocument(nullptr);
        return true;
    case kCmdClose:
        CloseActiveTab();
        return true;
    case kCmdCloseOthers:
        CloseOtherTabs();
        return true;
    case kCmdCloseAll:
        CloseAllTabs();
        return true;
    case kCmdSave:
        if (active != nullptr && !active->readOnly && AskSave(*active, false)) {
            tabs->UpdateTab(active);
        }
        return true;
    case kCmdSaveAs:
        if (active != nullptr && SaveAs(*active)) {
            tabs->UpdateTab(active);
        }
        return true;
    case kCmdSaveAll:
        AskSaveAll(false);
        return true;
    case kCmdSetActiveProject:
        if (active != nullptr) {
            MakeActiveProject(*active);
        }
        return true;
    case kCmdNextTab:
        ActivateNeighbour(*tabs, 1);
        return true;
    case kCmdPreviousTab:
        ActivateNeighbour(*tabs, -1);
        return true;
    case kCmdBackToTab: {
        const int previous = tabs->PreviousActiveIndex();
        if (previous >= 0 && previous < tabs->Count() && previous != tabs->ActiveIndex()) {
            tabs->Activate(previous, true);
        }
        return true;
    }
    case kCmdCloseTabAt:
        CloseTabAt(*tabs, static_cast<int>(lParam));
        return true;
    case kCmdMoveTab:
        tabs->Move(LOWORD(lParam), HIWORD(lParam));
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
