// The edit commands of completion, call tips and brace navigation, and the view notifications
// that drive the typing aids.
#pragma once

#include "lang/editor_view.h"

namespace kelpo {

enum TypingCommand : int {
    kCmdShowCallTip = 68,
    kCmdCompleteApiWord = 69,
    kCmdCompleteWord = 70,
    kCmdGoToMatchingBrace = 151,
    kCmdSelectToMatchingBrace = 152,
};

// True when the command was one of these; it then ran on the active view, if any.
bool HandleTypingCommand(int command);

// SCN_CHARADDED, SCN_UPDATEUI and SCN_CALLTIPCLICK of a document's view; other codes are ignored.
void OnTypingNotification(EditorView& view, const SCNotification& notification);

}  // namespace kelpo
