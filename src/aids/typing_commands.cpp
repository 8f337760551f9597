// Routing of the typing aids' commands and notifications.
#include "aids/typing_commands.h"

#include "aids/completion.h"
#include "aids/typing_aids.h"
#include "lang/open_views.h"

namespace kelpo {

bool HandleTypingCommand(int command) {
    switch (command) {
    case kCmdShowCallTip:
    case kCmdCompleteApiWord:
    case kCmdCompleteWord:
    case kCmdGoToMatchingBrace:
    case kCmdSelectToMatchingBrace:
        break;
    default:
        return false;
    }
    EditorView* view = ActiveView();
    if (view == nullptr) {
        return true;
    }
    switch (command) {
    case kCmdShowCallTip:
        StartCallTip(*view);
        break;
    case kCmdCompleteApiWord:
        StartApiCompletion(*view);
        break;
    case kCmdCompleteWord:
        StartWordCompletion(*view, false);
        break;
    default:
        GoToMatchingBrace(*view, command == kCmdSelectToMatchingBrace);
        break;
    }
    return true;
}

void OnTypingNotification(EditorView& view, const SCNotification& notification) {
    switch (notification.nmhdr.code) {
    case SCN_CHARADDED:
        OnCharAdded(view, notification.ch);
        break;
    case SCN_UPDATEUI:
        OnUpdateUi(view);
        break;
    case SCN_CALLTIPCLICK:
        OnCallTipClick(view, static_cast<int>(notification.position));
        break;
    default:
        break;
    }
}

}  // namespace kelpo
