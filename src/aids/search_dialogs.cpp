// The search dialogs' slot, creation and the window procedure they share.
#include "aids/search_dialogs.h"

#include "aids/search_dialog_elements.h"
#include "aids/search_dialog_fields.h"
#include "aids/search_dialog_files.h"
#include "aids/search_dialog_find.h"
#include "aids/search_dialog_replace.h"
#include "aids/search_dialog_templates.h"

namespace kelpo {
namespace {

ModelessKind KindOf(HWND dialog) { return static_cast<ModelessKind>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

ModelessKind KindForCommand(int command) {
    switch (command) {
    case kCmdFindDialog:
        return ModelessKind::Find;
    case kCmdReplaceDialog:
        return ModelessKind::Replace;
    case kCmdFindInFilesDialog:
        return ModelessKind::FindInFiles;
    default:
        return ModelessKind::None;
    }
}

DialogTemplate TemplateFor(ModelessKind kind) {
    switch (kind) {
    case ModelessKind::Replace:
        return ReplaceDialogTemplate();
    case ModelessKind::FindInFiles:
        return FindInFilesDialogTemplate();
    default:
        return FindDialogTemplate();
    }
}

void InitDialog(HWND dialog, ModelessKind kind) {
    ShowSearchOptions(dialog, static_cast<std::uint32_t>(App().settings.searchFlags));
    PrefillFindField(dialog);
    if (kind == ModelessKind::Replace) {
        PrefillReplaceField(dialog);
        InitReplaceDialog(dialog);
    } else if (kind == ModelessKind::FindInFiles) {
        InitFindInFilesDialog(dialog);
    }
    FocusField(dialog, kFindFieldId);
}

bool OnFieldNotification(HWND dialog, int id, int code) {
    if (code != CBN_KILLFOCUS || (id != kFindFieldId && id != kReplaceFieldId)) {
        return false;
    }
    SaveFieldSelection(dialog, id == kFindFieldId ? ElementMenu::Find : ElementMenu::Replace);
    return true;
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
    if (OnFieldNotification(dialog, id, code)) {
        return TRUE;
    }
    const ModelessKind switchTo = KindForCommand(id);
    // Only clicks and the dialog shortcuts are commands; the fields' other notifications are not.
    if (code != BN_CLICKED && switchTo == ModelessKind::None) {
        return FALSE;
    }
    AppState& app = App();
    app.settings.searchFlags =
        static_cast<int>(ReadSearchOptions(dialog, static_cast<std::uint32_t>(app.settings.searchFlags)));
    if (switchTo != ModelessKind::None) {
        OpenSearchDialog(switchTo);
        return TRUE;
    }
    switch (id) {
    case IDCANCEL:
        ::DestroyWindow(dialog);
        return TRUE;
    case kRegexBoxId:
        EnableElementButtons(dialog);
        return TRUE;
    case kFindElementsId:
    case kReplaceElementsId:
        ChooseRegexElement(dialog, id == kFindElementsId ? ElementMenu::Find : ElementMenu::Replace);
        return TRUE;
    default:
        break;
    }
    switch (KindOf(dialog)) {
    case ModelessKind::Find:
        return HandleFindDialogCommand(dialog, id);
    case ModelessKind::Replace:
        return HandleReplaceDialogCommand(dialog, id);
    case ModelessKind::FindInFiles:
        return HandleFindInFilesCommand(dialog, id);
    default:
        return FALSE;
    }
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitDialog(dialog, static_cast<ModelessKind>(lParam));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return KindOf(dialog) == ModelessKind::Replace
                   ? ColorReplaceStatus(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))
                   : 0;
    case WM_DESTROY:
        if (App().modeless.dialog == dialog) {
            App().modeless = ModelessSlot{};
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// No exception may reach the system's dispatch: a failed allocation ends that message's work.
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleDialogMessage(dialog, message, wParam, lParam);
    } catch (...) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return message == WM_INITDIALOG ? FALSE : TRUE;
    }
}

void FocusDialog(const ModelessSlot& slot) {
    ::SetActiveWindow(slot.dialog);
    if (slot.kind != ModelessKind::FavoritesOrganizer) {
        FocusField(slot.dialog, kFindFieldId);
    }
}

}  // namespace

bool OpenSearchDialog(ModelessKind kind) {
    AppState& app = App();
    if (app.modeless.dialog != nullptr && ::IsWindow(app.modeless.dialog)) {
        if (app.modeless.kind == kind || app.modeless.kind == ModelessKind::FavoritesOrganizer) {
            FocusDialog(app.modeless);
            return true;
        }
        ::DestroyWindow(app.modeless.dialog);
    }
    app.modeless = ModelessSlot{};
    const DialogTemplate dialogTemplate = TemplateFor(kind);
    const HINSTANCE instance = app.instance != nullptr ? app.instance : ::GetModuleHandleW(nullptr);
    HWND dialog = ::CreateDialogIndirectParamW(instance, dialogTemplate.Get(), app.mainWindow, SearchDialogProc,
                                               static_cast<LPARAM>(kind));
    if (dialog == nullptr) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    app.modeless = ModelessSlot{dialog, kind};
    ::ShowWindow(dialog, SW_SHOW);
    return true;
}

bool HandleSearchDialogCommand(int command) {
    const ModelessKind kind = KindForCommand(command);
    if (kind == ModelessKind::None) {
        return false;
    }
    OpenSearchDialog(kind);
    return true;
}

}  // namespace kelpo
