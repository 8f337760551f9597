// Creating and filling the configuration combo box, and reading its selection.
#include "build/configuration_box.h"

#include <commctrl.h>

#include "base/app_state.h"

namespace kelpo {
namespace {

// Its notifications reach the main window as WM_COMMAND: a number no command has.
constexpr int kConfigurationBoxId = 0x7FF0;

int TextWidth(HWND window, HFONT font, const wchar_t* text) {
    HDC dc = ::GetDC(window);
    if (dc == nullptr) {
        return 180;
    }
    HGDIOBJ old = ::SelectObject(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, ::lstrlenW(text), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

int CurrentConfiguration() {
    HWND box = App().shell.configurationBox;
    if (box == nullptr) {
        return -1;
    }
    const LRESULT selected = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return -1;
    }
    return static_cast<int>(::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
}

std::vector<unsigned> OfferedConfigurations(const std::vector<const ToolDef*>& tools) {
    std::vector<unsigned> codes;
    for (const ToolDef* tool : tools) {
        for (unsigned code : ConfigurationsOfTool(*tool)) {
            codes.push_back(code);
        }
    }
    return codes;
}

int SelectionFor(const std::vector<unsigned>& codes, int buildToolId) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (static_cast<int>(codes[i]) == buildToolId) {
            return static_cast<int>(i);
        }
    }
    return codes.empty() ? -1 : 0;
}

void ShowBadConfigurationPair(const std::wstring& pair, const std::wstring& list) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBoxW(App().mainWindow, pair.c_str(), list.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

HWND CreateConfigurationBox(HWND toolbar, HFONT font, HIMAGELIST images,
                            const std::vector<const ToolDef*>& tools, int buildToolId) {
    // Room for the widest label, the image and the drop-down arrow.
    const int width = TextWidth(toolbar, font, L"Visual C++ 2008 x86 Release") + ::GetSystemMetrics(SM_CXVSCROLL) + 32;
    HWND box = ::CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 0, 0, width, 300, toolbar,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kConfigurationBoxId)),
                                 App().instance, nullptr);
    if (box == nullptr) {
        return nullptr;
    }
    if (font != nullptr) {
        ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::SendMessageW(box, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    const std::vector<unsigned> codes = OfferedConfigurations(tools);
    for (unsigned code : codes) {
        std::wstring label = BoxLabel(code);
        const ToolDef* tool = ToolOf(code);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
        item.iItem = -1;
        item.pszText = label.data();
        item.iImage = static_cast<int>(tool->imageIndex);
        item.iSelectedImage = item.iImage;
        item.lParam = static_cast<LPARAM>(code);
        ::SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    const int selection = SelectionFor(codes, buildToolId);
    if (selection >= 0) {
        ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    }
    return box;
}

}  // namespace kelpo
