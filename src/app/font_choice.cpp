// Editor font choices.
#include "app/font_choice.h"

#include <commdlg.h>

#include "app/settings_store.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/settings_values.h"
#include "lang/theme_menu.h"

namespace kelpo {
namespace {

void UseFont(const std::wstring& face, int points) {
    AppState& app = App();
    app.settings.fontFace = face;
    app.settings.fontPoints = points;
    IniFile(app.paths.settingsFile).WriteText(L"Font", FormatFontSpec(face, points).c_str());
    CreateFonts(app);
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
    if (!::ChooseFontW(&choose)) {
        return;
    }
    UseFont(logFont.lfFaceName, choose.iPointSize / 10);
}

}  // namespace kelpo
