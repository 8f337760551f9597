// Editor font choices.
#include "app/font_choice.h"

#include <commdlg.h>

#include <utility>

#include "app/settings_store.h"
#include "base/app_state.h"
#include "base/common_dialogs.h"
#include "base/ini_file.h"
#include "base/settings_values.h"
#include "lang/theme_menu.h"

namespace kelpo {
namespace {

struct FontSwap {
    HFONT oldFont;
    HFONT newFont;
};

BOOL CALLBACK SwapFont(HWND window, LPARAM param) {
    const auto* swap = reinterpret_cast<const FontSwap*>(param);
    if (reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)) == swap->oldFont) {
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(swap->newFont), TRUE);
    }
    return TRUE;
}

BOOL CALLBACK SwapFontInTree(HWND window, LPARAM param) {
    SwapFont(window, param);
    ::EnumChildWindows(window, SwapFont, param);
    return TRUE;
}

// Recreating the fonts deletes the old ones: every window of this thread (tool tips and dialogs
// too) that holds the old interface font is given the new one before that happens.
void RecreateFonts(AppState& app) {
    const unique_hfont oldInterfaceFont = std::move(app.uiFont);
    CreateFonts(app);
    if (oldInterfaceFont) {
        FontSwap swap{oldInterfaceFont.get(), app.uiFont ? app.uiFont.get()
                                                          : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))};
        ::EnumThreadWindows(::GetCurrentThreadId(), SwapFontInTree, reinterpret_cast<LPARAM>(&swap));
    }
}

void UseFont(const std::wstring& face, int points) {
    AppState& app = App();
    app.settings.fontFace = face;
    app.settings.fontPoints = points;
    IniFile(app.paths.settingsFile).WriteText(L"Font", FormatFontSpec(face, points).c_str());
    RecreateFonts(app);
    ReapplyFontToAllViews();
}

}  // namespace

std::vector<std::wstring> FontChoices() {
    std::vector<std::wstring> choices = IniFile(App().paths.settingsFile).ReadList(L"Font");
    if (choices.empty()) {
        choices = {L"Courier New, 10", L"Consolas, 10", L"DejaVu Sans Mono, 10", L"Source Code Pro, 10", L"Fixedsys"};
    }
    return choices;
}

void ChooseFontText(const std::wstring& text) {
    const FontSpec font = ParseFontSpec(text);
    if (font.face.empty()) {
        return;
    }
    UseFont(font.face, font.hasSize ? font.points : 10);
}

void ChooseEditorFontWithDialog(HWND owner) {
    AppState& app = App();
    LOGFONTW logFont{};
    HDC screen = ::GetDC(nullptr);
    logFont.lfHeight = -::MulDiv(app.settings.fontPoints, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    ::lstrcpynW(logFont.lfFaceName, app.settings.fontFace.c_str(), LF_FACESIZE);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = &logFont;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ShowFontDialog(&choose)) {
        return;
    }
    UseFont(logFont.lfFaceName, choose.iPointSize / 10);
}

}  // namespace kelpo
