// Message loop: modeless dialog keys first, then the main accelerators, then the ordinary path.
#include "app/message_loop.h"

#include "app/commands.h"
#include "base/app_state.h"
#include "panes/explorer_pane.h"

namespace kelpo {
namespace {

bool IsOrganizerLabelKey(const MSG& message) {
    return message.message == WM_KEYDOWN &&
           (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE || message.wParam == VK_DELETE);
}

// Steps 1 to 3: a modeless dialog keeps its find shortcuts and its own keyboard handling.
bool TranslateForModelessDialog(AppState& app, MSG& message) {
    HWND dialog = app.modeless.dialog;
    if (dialog == nullptr) {
        return false;
    }
    if (app.dialogAccelerators && ::TranslateAcceleratorW(dialog, app.dialogAccelerators.get(), &message)) {
        return true;
    }
    if (app.organizerLabelEdit != nullptr && IsOrganizerLabelKey(message)) {
        ::SendMessageW(app.organizerLabelEdit, WM_KEYDOWN, message.wParam, message.lParam);
        return true;
    }
    if (::IsDialogMessageW(dialog, &message)) {
        if (app.modeless.kind == ModelessKind::FavoritesOrganizer && app.organizerAccelerators) {
            ::TranslateAcceleratorW(dialog, app.organizerAccelerators.get(), &message);
        }
        return true;
    }
    return false;
}

}  // namespace

void ProcessMessage(AppState& app, MSG& message) {
    if (TranslateForModelessDialog(app, message)) {
        return;
    }
    if (TranslateExplorerMessage(message)) {
        return;
    }
    if (app.mainAccelerators &&
        ::TranslateAcceleratorW(app.mainWindow, app.mainAccelerators.get(), &message)) {
        return;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        RunEscapeAction();
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int RunMessageLoop(AppState& app) {
    MSG message;
    BOOL result;
    while ((result = ::GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1) {
            break;
        }
        ProcessMessage(app, message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace kelpo
