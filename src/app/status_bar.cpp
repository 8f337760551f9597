// Status bar creation and part measuring.
#include "app/status_bar.h"

#include <commctrl.h>

#include <array>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/handles.h"

namespace kelpo {
namespace {

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::wstring Format(const wchar_t* format, int a, int b = 0, int c = 0, int d = 0) {
    wchar_t buffer[128] = {};
    ::wsprintfW(buffer, format, a, b, c, d);
    return buffer;
}

// Parts 1-6 are as wide as their widest sample text plus 9 pixels.
void MeasureParts(HWND statusBar, int* widths) {
    HDC dc = ::GetDC(statusBar);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(statusBar, WM_GETFONT, 0, 0));
    {
        ScopedSelectObject select(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        widths[kStatusCaret] = TextWidth(dc, Format(kCaretFormat, 99999, 999, 999, 999)) + 9;
        widths[kStatusLineEnds] = TextWidth(dc, L"CRLF") + 9;
        widths[kStatusEncoding] = TextWidth(dc, L"UTF-16 LE BOM") + 9;
        widths[kStatusIndentation] = TextWidth(dc, Format(kIndentSpacesFormat, 4)) + 9;
        widths[kStatusMode] = std::max(TextWidth(dc, L"INS"), TextWidth(dc, L"OVR")) + 9;
        widths[kStatusLanguage] = TextWidth(dc, L"Normal text") + 9 + 4;
    }
    ::ReleaseDC(statusBar, dc);
}

}  // namespace

bool CreateStatusBar(HWND mainWindow) {
    AppState& app = App();
    const DWORD visible = (app.settings.config1 & kC1StatusBar) ? WS_VISIBLE : 0;
    HWND bar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | SBARS_SIZEGRIP | visible, 0, 0, 0, 0,
                                 mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                                 app.instance, nullptr);
    if (bar == nullptr) {
        return false;
    }
    app.shell.statusBar = bar;
    MeasureParts(bar, app.shell.statusPartWidths);
    RECT rect{};
    ::GetWindowRect(bar, &rect);
    app.shell.statusHeight = rect.bottom - rect.top;
    return true;
}

void SetStatusParts(int clientWidth) {
    AppState& app = App();
    std::array<int, 7> edges{};
    int right = clientWidth;
    for (int part = kStatusLanguage; part >= 0; --part) {
        edges[part] = part == kStatusLanguage ? -1 : right;
        if (part > 0) {
            right -= app.shell.statusPartWidths[part];
        }
    }
    ::SendMessageW(app.shell.statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

}  // namespace kelpo
