// Showing and hiding bars and panes.
#include "app/view_commands.h"

#include <windows.h>

#include "app/color_mode.h"
#include "app/font_choice.h"
#include "app/full_screen.h"
#include "app/main_window_layout.h"
#include "app/pane_hosts.h"
#include "app/rebar.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_status.h"
#include "doc/document_tabs.h"
#include "lang/language_chooser.h"

namespace kelpo {
namespace {

void ToggleConfigBit(std::uint32_t bit) {
    App().settings.config1 ^= bit;
    UpdateRebarBands();
    LayoutMainWindow();
    UpdatePaneButtons();
}

// Command 87: hide both panes, remembering which were shown; the next time bring those back.
void HideOrRestorePanes() {
    AppState& app = App();
    std::uint32_t& config1 = app.settings.config1;
    if (app.shell.rememberedPanes != 0) {
        if (app.shell.rememberedPanes & 1u) config1 |= kC1LeftPane;
        if (app.shell.rememberedPanes & 2u) config1 |= kC1BottomPane;
        app.shell.rememberedPanes = 0;
    } else if (config1 & (kC1LeftPane | kC1BottomPane)) {
        app.shell.rememberedPanes = ((config1 & kC1LeftPane) ? 1u : 0u) | ((config1 & kC1BottomPane) ? 2u : 0u);
        config1 &= ~(kC1LeftPane | kC1BottomPane);
    }
    LayoutMainWindow();
}

// Commands 185-187: kept in Config2 bits 28-29 and applied where the system can.
void SetColorMode(int mode) {
    AppState& app = App();
    app.settings.config2 = SetBits(app.settings.config2, kC2ColorModeShift, 2, static_cast<std::uint32_t>(mode));
    ApplyColorMode(mode);
    ::RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ToggleAlwaysOnTop() {
    AppState& app = App();
    app.settings.config1 ^= kC1AlwaysOnTop;
    const bool onTop = (app.settings.config1 & kC1AlwaysOnTop) != 0;
    ::SetWindowPos(app.mainWindow, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

bool HandleViewCommand(int command) {
    const bool fullScreen = App().fullScreen;
    if (command >= kCmdLeftPaneFirst && command <= kCmdLeftPaneLast) {
        SelectPaneTab(Pane::Left, command - kCmdLeftPaneFirst, true);
        return true;
    }
    if (command >= kCmdBottomPaneFirst && command <= kCmdBottomPaneLast) {
        SelectPaneTab(Pane::Bottom, command - kCmdBottomPaneFirst, true);
        return true;
    }
    switch (command) {
    case kCmdToggleMainToolbar:
        if (!fullScreen) ToggleConfigBit(kC1MainToolbar);
        return true;
    case kCmdToggleSecondToolbar:
        if (!fullScreen) ToggleConfigBit(kC1SecondToolbar);
        return true;
    case kCmdToggleStatusBar:
        ToggleConfigBit(kC1StatusBar);
        return true;
    case kCmdLockToolbars:
        App().settings.config1 ^= kC1LockToolbars;
        UpdateRebarBands();
        return true;
    case kCmdLargeIcons:
        App().settings.config1 ^= kC1LargeIcons;
        RebuildRebar(App().mainWindow);
        LayoutMainWindow();
        return true;
    case kCmdCustomizeToolbar:
        if (App().shell.mainToolbar != nullptr) {
            ::SendMessageW(App().shell.mainToolbar, TB_CUSTOMIZE, 0, 0);
        }
        return true;
    case kCmdChooseFont:
        ChooseEditorFontWithDialog(App().mainWindow);
        return true;
    case kCmdChooseLanguage:
        if (ShowLanguageChooser(App().mainWindow) != nullptr && Tabs() != nullptr && Tabs()->Active() != nullptr) {
            ShowDocumentStatus(*Tabs()->Active());
        }
        return true;
    case kCmdColorLight:
    case kCmdColorDark:
    case kCmdColorSystem:
        SetColorMode(command - kCmdColorLight);
        return true;
    case kCmdHideAllPanes:
        HideOrRestorePanes();
        UpdatePaneButtons();
        return true;
    case kCmdToggleLeftPane:
        if (!fullScreen) ToggleConfigBit(kC1LeftPane);
        return true;
    case kCmdToggleBottomPane:
        if (!fullScreen) ToggleConfigBit(kC1BottomPane);
        return true;
    case kCmdFullScreen:
        ToggleFullScreen();
        return true;
    case kCmdAlwaysOnTop:
        ToggleAlwaysOnTop();
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
