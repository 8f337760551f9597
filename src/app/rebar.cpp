// Rebar and main toolbar.
#include "app/rebar.h"

#include <string>
#include <vector>

#include "aids/templates_menu.h"
#include "app/build_toolbar.h"
#include "app/command_icons.h"
#include "app/font_choice.h"
#include "app/toolbar_buttons.h"
#include "app/toolbar_icons.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/ini_file.h"

namespace kelpo {
namespace {

// The icons the main toolbar's owner draws, and the image list the toolbar's own customising
// dialog draws from: it is made when the dialog first opens, and while it is open the buttons
// carry their images and the toolbar draws them itself.
std::unique_ptr<ToolbarIcons> g_icons;
unique_himagelist g_images;
int g_iconButtonWidth = 24;
bool g_adjusting = false;

HWND MainToolbar() { return App().shell.mainToolbar; }

int IconSize() { return (App().settings.config1 & kC1LargeIcons) != 0 ? 24 : 16; }

TBBUTTON ToTbButton(const ToolbarButton& button, bool withImage) {
    TBBUTTON tb{};
    if (button.command == 0) {
        tb.fsStyle = BTNS_SEP;
        return tb;
    }
    tb.iBitmap = withImage ? button.icon : I_IMAGENONE;
    tb.dwData = ToolbarIconData(button.icon);
    tb.idCommand = button.command;
    tb.fsState = TBSTATE_ENABLED;
    tb.fsStyle = static_cast<BYTE>(BTNS_BUTTON | (button.dropDown ? BTNS_DROPDOWN : 0));
    const bool paneButton = button.command >= 90 && button.command <= 96;
    if (paneButton) {
        tb.fsStyle |= BTNS_CHECK;
    }
    return tb;
}

HWND CreateMainToolbar(HWND parent) {
    AppState& app = App();
    HWND toolbar = ::CreateWindowExW(
        0, TOOLBARCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_NODIVIDER |
            CCS_NORESIZE | CCS_NOPARENTALIGN,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMainToolbarId)), app.instance, nullptr);
    if (toolbar == nullptr) {
        return nullptr;
    }
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_HIDECLIPPEDBUTTONS);
    const bool large = IconSize() == 24;
    g_icons = ToolbarIcons::FromStrip(LoadCommandIconStrip(app.instance, IconSize()).get());
    g_images.reset();
    g_adjusting = false;
    g_iconButtonWidth = large ? 36 : 24;
    ::SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(IconSize(), IconSize()));
    ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(g_iconButtonWidth, g_iconButtonWidth));

    const std::vector<ToolbarButton> buttons =
        ParseToolbarButtons(app.settings.mainToolbar, MainToolbarTable(), DefaultMainToolbar());
    std::vector<TBBUTTON> tbButtons;
    for (const ToolbarButton& button : buttons) {
        tbButtons.push_back(ToTbButton(button, false));
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, tbButtons.size(), reinterpret_cast<LPARAM>(tbButtons.data()));
    return toolbar;
}

UINT BandStyle() {
    const bool locked = (App().settings.config1 & kC1LockToolbars) != 0;
    return RBBS_CHILDEDGE | RBBS_FIXEDBMP | (locked ? RBBS_NOGRIPPER : RBBS_GRIPPERALWAYS);
}

bool AddToolbarBand(HWND rebar, HWND toolbar) {
    SIZE size{};
    ::SendMessageW(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    const DWORD buttonSize = static_cast<DWORD>(::SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    band.fStyle = BandStyle();
    band.hwndChild = toolbar;
    band.cxMinChild = 0;
    band.cyMinChild = HIWORD(buttonSize);
    band.cx = size.cx;
    band.wID = 0;
    return ::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

std::wstring MenuText(HWND mainWindow, int command) {
    wchar_t text[256] = {};
    HMENU menu = App().fullScreen ? App().shell.savedMenu : ::GetMenu(mainWindow);
    ::GetMenuStringW(menu, static_cast<UINT>(command), text, 256, MF_BYCOMMAND);
    return text;
}

void ShowFontMenu(HWND mainWindow, const NMTOOLBARW& info) {
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    const std::vector<std::wstring> choices = FontChoices();
    const std::wstring current = App().settings.fontFace + L", " + std::to_wstring(App().settings.fontPoints);
    ::AppendMenuW(menu, MF_STRING | MF_DEFAULT, 100, current.c_str());
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::wstring text = L"&" + std::to_wstring(i + 1) + L" " + choices[i];
        ::AppendMenuW(menu, MF_STRING, i + 1, text.c_str());
    }
    RECT rect = info.rcButton;
    ::MapWindowPoints(info.hdr.hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                         rect.left, rect.bottom, 0, mainWindow, nullptr));
    ::DestroyMenu(menu);
    if (chosen == 100) {
        ::PostMessageW(mainWindow, WM_COMMAND, 183, 0);
    } else if (chosen >= 1 && static_cast<std::size_t>(chosen) <= choices.size()) {
        ChooseFontText(choices[chosen - 1]);
    }
}

// While the customising dialog is open the buttons carry their images, for the dialog draws
// them from the toolbar's image list; afterwards the owner draws them again.
void SetButtonImagesForAdjusting(bool adjusting) {
    HWND toolbar = MainToolbar();
    if (adjusting && !g_images) {
        g_images = LoadCommandImageList(App().instance, IconSize());
        ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_images.get()));
    }
    g_adjusting = adjusting;
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON tb{};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&tb));
        if (tb.fsStyle & BTNS_SEP) {
            continue;
        }
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_IMAGE;
        info.iImage = adjusting ? IconOfToolbarData(tb.dwData) : I_IMAGENONE;
        ::SendMessageW(toolbar, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
    }
}

void ShowTemplateMenu(HWND mainWindow, const NMTOOLBARW& info) {
    RECT rect = info.rcButton;
    ::MapWindowPoints(info.hdr.hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    ShowTemplatesMenu(mainWindow, rect);
}

}  // namespace

bool CreateRebar(HWND mainWindow) {
    AppState& app = App();
    HWND rebar = ::CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, L"",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                       RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                   0, 0, 0, 0, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)),
                                   app.instance, nullptr);
    if (rebar == nullptr) {
        return false;
    }
    HWND toolbar = CreateMainToolbar(rebar);
    if (toolbar == nullptr || !AddToolbarBand(rebar, toolbar)) {
        ::DestroyWindow(rebar);
        return false;
    }
    app.shell.rebar = rebar;
    app.shell.mainToolbar = toolbar;
    // The build toolbar joins as band 1 when the build engine is present.
    AddBuildToolbar(rebar);
    UpdateRebarBands();
    return true;
}

void RebuildRebar(HWND mainWindow) {
    AppState& app = App();
    if (app.shell.rebar != nullptr) {
        StoreBuildToolId();  // the new box selects what the old one had
        ::DestroyWindow(app.shell.rebar);
        app.shell.rebar = nullptr;
        app.shell.mainToolbar = nullptr;
        app.shell.buildToolbar = nullptr;
        app.shell.configurationBox = nullptr;
    }
    CreateRebar(mainWindow);
    UpdatePaneButtons();
}

void UpdateRebarBands() {
    HWND rebar = App().shell.rebar;
    if (rebar == nullptr) {
        return;
    }
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE;
    band.fStyle = BandStyle();
    ::SendMessageW(rebar, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band));
    ::SendMessageW(rebar, RB_SHOWBAND, 0, (App().settings.config1 & kC1MainToolbar) ? TRUE : FALSE);
    const LRESULT buildBand = ::SendMessageW(rebar, RB_IDTOINDEX, kBuildBandId, 0);
    if (buildBand >= 0) {
        ::SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(buildBand), reinterpret_cast<LPARAM>(&band));
        ::SendMessageW(rebar, RB_SHOWBAND, static_cast<WPARAM>(buildBand),
                       (App().settings.config1 & kC1SecondToolbar) ? TRUE : FALSE);
    }
}

void UpdatePaneButtons() {
    HWND toolbar = MainToolbar();
    if (toolbar == nullptr) {
        return;
    }
    const std::uint32_t config1 = App().settings.config1;
    const int left = static_cast<int>(GetBits(config1, kC1LeftTabShift, 3));
    const int bottom = static_cast<int>(GetBits(config1, kC1BottomTabShift, 3));
    for (int command = 90; command <= 96; ++command) {
        const bool pressed = command <= 93 ? (config1 & kC1LeftPane) && command - 90 == left
                                           : (config1 & kC1BottomPane) && command - 94 == bottom;
        ::SendMessageW(toolbar, TB_CHECKBUTTON, command, pressed ? TRUE : FALSE);
    }
}

bool OnToolbarNotify(HWND mainWindow, NMHDR* header, LRESULT& result) {
    HWND buildToolbar = App().shell.buildToolbar;
    if (header->code == TTN_GETDISPINFOW && buildToolbar != nullptr &&
        header->hwndFrom == reinterpret_cast<HWND>(::SendMessageW(buildToolbar, TB_GETTOOLTIPS, 0, 0))) {
        static std::wstring buildTip;
        buildTip = ToolTipFromMenuText(MenuText(mainWindow, static_cast<int>(header->idFrom)));
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = buildTip.data();
        result = 0;
        return true;
    }
    if (header->hwndFrom != MainToolbar() && header->code != TTN_GETDISPINFOW) {
        return false;
    }
    switch (header->code) {
    case TTN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        if (MainToolbar() == nullptr ||
            header->hwndFrom != reinterpret_cast<HWND>(::SendMessageW(MainToolbar(), TB_GETTOOLTIPS, 0, 0))) {
            return false;
        }
        static std::wstring tip;
        tip = ToolTipFromMenuText(MenuText(mainWindow, static_cast<int>(header->idFrom)));
        info->lpszText = tip.data();
        result = 0;
        return true;
    }
    case TBN_DROPDOWN: {
        const auto& info = *reinterpret_cast<NMTOOLBARW*>(header);
        if (info.iItem == 183) {
            ShowFontMenu(mainWindow, info);
        } else if (info.iItem == 2) {
            ShowTemplateMenu(mainWindow, info);
        }
        result = TBDDRET_DEFAULT;
        return true;
    }
    case NM_CUSTOMDRAW:
        result = DrawToolbarIcons(*reinterpret_cast<NMTBCUSTOMDRAW*>(header), g_adjusting ? nullptr : g_icons.get(),
                                  g_iconButtonWidth);
        return true;
    case TBN_BEGINADJUST:
        SetButtonImagesForAdjusting(true);
        result = 0;
        return true;
    case TBN_ENDADJUST:
        SetButtonImagesForAdjusting(false);
        result = 0;
        return true;
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        result = TRUE;
        return true;
    case TBN_GETBUTTONINFOW: {
        auto* info = reinterpret_cast<NMTOOLBARW*>(header);
        const auto table = MainToolbarTable();
        int index = 0;
        for (const ToolbarButton& button : table) {
            if (button.command == 0) {
                continue;
            }
            if (index++ == info->iItem) {
                info->tbButton = ToTbButton(button, g_adjusting);
                static std::wstring text;
                text = ToolTipFromMenuText(MenuText(mainWindow, button.command));
                if (info->pszText != nullptr && info->cchText > 0) {
                    ::lstrcpynW(info->pszText, text.c_str(), info->cchText);
                }
                result = TRUE;
                return true;
            }
        }
        result = FALSE;
        return true;
    }
    case TBN_TOOLBARCHANGE: {
        std::vector<ToolbarButton> shown;
        const int count = static_cast<int>(::SendMessageW(MainToolbar(), TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON tb{};
            ::SendMessageW(MainToolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&tb));
            shown.push_back(
                ToolbarButton{IconOfToolbarData(tb.dwData), tb.idCommand, (tb.fsStyle & BTNS_DROPDOWN) != 0});
        }
        App().settings.mainToolbar = FormatToolbarButtons(shown);
        IniFile(App().paths.settingsFile).WriteText(L"MainToolbar", App().settings.mainToolbar.c_str());
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace kelpo
