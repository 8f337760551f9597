// The whole-file operations of the settings: read once at start, written at exit.
#include "app/settings_store.h"

#include <windows.h>

#include <string>

#include "app/build_toolbar.h"
#include "app/color_mode.h"
#include "base/ini_file.h"
#include "base/recent_lists.h"
#include "base/settings_values.h"
#include "base/text_convert.h"
#include "doc/session.h"
#include "panes/explorer_settings.h"

namespace kelpo {
namespace {

ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

MonitorQueries SystemMonitors() {
    MonitorQueries monitors;
    monitors.liesOnMonitor = [](const ScreenRect& rect) {
        const RECT r = ToRect(rect);
        return ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
    };
    monitors.nearestMonitorArea = [](const ScreenRect& rect) {
        const RECT r = ToRect(rect);
        MONITORINFO info{sizeof(MONITORINFO)};
        if (!::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
            return ScreenRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        }
        return FromRect(info.rcMonitor);
    };
    return monitors;
}

WindowPos ReadLegacyWindowPos(AppState& app, const IniFile& ini) {
    WindowPos pos;
    pos.rect.left = ini.ReadInt(L"Left", kWindowDefaultEdge);
    pos.rect.top = ini.ReadInt(L"Top", kWindowDefaultEdge);
    pos.rect.right = ini.ReadInt(L"Right", kWindowDefaultEdge);
    pos.rect.bottom = ini.ReadInt(L"Bottom", kWindowDefaultEdge);
    pos.showCmd = ini.ReadInt(L"ShowCmd", 1);
    for (const wchar_t* key : {L"Left", L"Top", L"Right", L"Bottom", L"ShowCmd"}) {
        ini.DeleteKey(key);
    }
    app.settings.config1 = MarkWindowMigrated(app.settings.config1);
    return pos;
}

// The placement to remember: a minimised window comes back maximised or normal.
WindowPos PlacementToStore(const AppState& app) {
    WINDOWPLACEMENT placement{sizeof(WINDOWPLACEMENT)};
    if (app.fullScreen) {
        placement = app.fullScreenPlacement;
    } else if (!::GetWindowPlacement(app.mainWindow, &placement)) {
        placement.showCmd = SW_SHOWNORMAL;
    }
    if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE ||
        placement.showCmd == SW_SHOWMINNOACTIVE) {
        if (placement.flags & WPF_RESTORETOMAXIMIZED) {
            placement.flags &= ~WPF_RESTORETOMAXIMIZED;
            placement.showCmd = SW_SHOWMAXIMIZED;
        } else {
            placement.showCmd = SW_SHOWNORMAL;
        }
    }
    return WindowPos{FromRect(placement.rcNormalPosition), static_cast<int>(placement.showCmd)};
}

}  // namespace

void ReadEditorFont(AppState& app) {
    app.settings.fontFace = L"Courier New";
    app.settings.fontPoints = 10;
    std::wstring text;
    if (!IniFile(app.paths.settingsFile).ReadText(L"Font", text, 128)) {
        return;
    }
    // The key is read through the ANSI code page with room for 64 bytes.
    const std::wstring limited = AnsiToWide(WideToAnsi(text, 63));
    const FontSpec font = ParseFontSpec(limited);
    if (!font.face.empty()) {
        app.settings.fontFace = font.face;
    }
    if (font.hasSize) {
        app.settings.fontPoints = font.points;
    }
}

void CreateFonts(AppState& app) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (app.osMajor >= 6 && ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        app.uiFont.reset(::CreateFontIndirectW(&metrics.lfMenuFont));
    } else {
        app.uiFont.reset();
    }

    LOGFONTW font{};
    HDC screen = ::GetDC(nullptr);
    font.lfHeight = -::MulDiv(app.settings.fontPoints, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(font.lfFaceName, app.settings.fontFace.c_str(), LF_FACESIZE);
    app.editorFont.reset(::CreateFontIndirectW(&font));
}

WindowPos LoadSettings(AppState& app) {
    const IniFile ini(app.paths.settingsFile);
    Settings& s = app.settings;

    s.config1 = static_cast<std::uint32_t>(ini.ReadInt(L"Config1", static_cast<int>(s.config1)));
    s.config2 = static_cast<std::uint32_t>(ini.ReadInt(L"Config2", static_cast<int>(s.config2)));
    s.mruSize = ClampMruSize(ini.ReadInt(L"MruSize", s.mruSize));
    s.dateTimeId = ini.ReadInt(L"DateTimeId", s.dateTimeId);
    s.zoomLevel = ini.ReadInt(L"ZoomLevel", 0);
    s.buildToolId = ini.ReadInt(L"BuildToolId", 0);

    ApplyColorMode(static_cast<int>(GetBits(s.config2, kC2ColorModeShift, 2)));

    s.searchFlags = RepairSearchFlags(ini.ReadInt(L"SearchFlags", kDefaultSearchFlags));
    s.newFileEncode = RepairNewFileEncode(ini.ReadInt(L"NewFileEncode", 0));
    s.backupUnsaved = ini.ReadInt(L"BackupUnsaved", 1) != 0;

    ReadEditorFont(app);
    CreateFonts(app);

    const MonitorQueries monitors = SystemMonitors();
    WindowPos pos;
    if (NeedsLegacyWindowMigration(s.config1)) {
        pos = ReadLegacyWindowPos(app, ini);
    } else {
        pos = AcceptStoredWindowPos(ini.ReadWindowPos(L"WndPos"), monitors);
    }
    return PlaceOnMonitor(pos, monitors);
}

void SaveSettings(AppState& app) {
    const IniFile ini(app.paths.settingsFile);
    StoreBuildToolId();
    const Settings& s = app.settings;
    // One rewrite of the file for all of them.
    ini.WriteTexts({{L"Config1", std::to_wstring(static_cast<int>(s.config1))},
                    {L"Config2", std::to_wstring(static_cast<int>(s.config2))},
                    {L"ZoomLevel", std::to_wstring(s.zoomLevel)},
                    {L"SearchFlags", std::to_wstring(s.searchFlags)},
                    {L"WndPos", FormatWindowPos(PlacementToStore(app))},
                    {L"LeftTabWidth", std::to_wstring(s.leftTabWidth)},
                    {L"BottomTabHeight", std::to_wstring(s.bottomTabHeight)},
                    {L"BuildToolId", std::to_wstring(s.buildToolId)}});
    SaveExplorerSettings(app);
    if (s.config1 & kC1Session) {
        SaveSession(app);
    }
    SaveRecentLists(app);
}

}  // namespace kelpo
