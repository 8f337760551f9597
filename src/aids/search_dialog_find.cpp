// Find dialog commands on the active document and the result panes.
#include "aids/search_dialog_find.h"

#include <optional>

#include "aids/search_actions.h"
#include "aids/search_commands.h"
#include "aids/search_dialog_fields.h"
#include "aids/search_dialog_templates.h"

namespace kelpo {
namespace {

// Bookmark All and Highlight All on the active document; false when the text was refused.
bool MarkEveryMatch(HWND dialog, int id) {
    const std::optional<SearchRequest> request = TakeFindField(dialog);
    if (!request) {
        return false;
    }
    if (EditorView* view = ActiveDocumentView()) {
        if (id == kBookmarkAllId) {
            BookmarkAll(*view, *request);
        } else {
            ClearHighlights(*view);
            HighlightAll(*view, *request);
        }
    }
    return true;
}

}  // namespace

void FindNextFromDialog(HWND dialog) {
    if (TakeFindField(dialog)) {
        FindInActiveDocument(SearchDirection::Forward);
    }
}

bool HandleFindDialogCommand(HWND dialog, int id) {
    bool acted = false;
    switch (id) {
    case IDOK:
        FindNextFromDialog(dialog);
        return true;
    case kBookmarkAllId:
    case kHighlightAllId:
        acted = MarkEveryMatch(dialog, id);
        break;
    case kFindAllId:
    case kFindAllDocumentsId:
        if (TakeFindField(dialog)) {
            FindAllToResultPane(id == kFindAllDocumentsId);
            acted = true;
        }
        break;
    default:
        return false;
    }
    // A refused text keeps the dialog open to be corrected.
    if (acted) {
        ::DestroyWindow(dialog);
    }
    return true;
}

}  // namespace kelpo
