// The explorer's toolbar: the system's standard images, tips and customisation.
#include "panes/explorer_toolbar.h"

#include <array>
#include <vector>

#include "panes/explorer_pane.h"
#include "panes/explorer_rules.h"

namespace kelpo {
namespace {

constexpr int kFilterSlotId = 82;  // the separator under the filter box
constexpr int kFilterSlotWidth = 260;

enum class ImageSet { History, View, Standard };

struct ButtonInfo {
    int command;
    ImageSet set;
    int image;
    BYTE style;
    const wchar_t* text;
};

constexpr std::array<ButtonInfo, 9> kButtons = {{
    {kExplorerBack, ImageSet::History, HIST_BACK, BTNS_DROPDOWN, L"Back"},
    {kExplorerForward, ImageSet::History, HIST_FORWARD, BTNS_DROPDOWN, L"Forward"},
    {kExplorerUp, ImageSet::View, VIEW_PARENTFOLDER, BTNS_BUTTON, L"Up One Level"},
    {kExplorerNewFile, ImageSet::Standard, STD_FILENEW, BTNS_BUTTON, L"New File"},
    {kExplorerNewFolder, ImageSet::View, VIEW_NEWFOLDER, BTNS_BUTTON, L"New Folder"},
    {kExplorerDelete, ImageSet::Standard, STD_DELETE, BTNS_BUTTON, L"Delete"},
    {kExplorerViewSettings, ImageSet::View, VIEW_DETAILS, BTNS_WHOLEDROPDOWN, L"View Settings"},
    {kExplorerShowDocumentFolder, ImageSet::Standard, STD_FILEOPEN, BTNS_BUTTON, L"Show Current Document's Folder"},
    {kExplorerAddToFavorites, ImageSet::History, HIST_ADDTOFAVORITES, BTNS_BUTTON, L"Add to Favourites"},
}};

const std::vector<int> kDefaultLayout = {kExplorerBack, kExplorerForward, kExplorerUp, 0, kExplorerNewFile,
                                         kExplorerNewFolder, kExplorerDelete, kExplorerViewSettings,
                                         kExplorerShowDocumentFolder, kExplorerAddToFavorites};

std::array<int, 3>& ImageOffsets() {
    static std::array<int, 3> offsets{};
    return offsets;
}

const ButtonInfo* InfoOf(int command) {
    for (const ButtonInfo& info : kButtons) {
        if (info.command == command) return &info;
    }
    return nullptr;
}

TBBUTTON ButtonOf(int command) {
    TBBUTTON button{};
    if (const ButtonInfo* info = InfoOf(command)) {
        button.iBitmap = ImageOffsets()[static_cast<std::size_t>(info->set)] + info->image;
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = info->style;
        button.iString = reinterpret_cast<INT_PTR>(info->text);
    } else {
        button.fsStyle = BTNS_SEP;
    }
    return button;
}

int LoadImages(HWND toolbar, WPARAM bitmap) {
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    const int offset = images != nullptr ? ::ImageList_GetImageCount(images) : 0;
    ::SendMessageW(toolbar, TB_LOADIMAGES, bitmap, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    return offset;
}

void AddButtons(HWND toolbar, const std::vector<int>& commands) {
    std::vector<TBBUTTON> buttons;
    for (int command : commands) buttons.push_back(ButtonOf(command));
    TBBUTTON slot{};
    slot.iBitmap = kFilterSlotWidth;
    slot.idCommand = kFilterSlotId;
    slot.fsStyle = BTNS_SEP;
    buttons.push_back(slot);
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void RemoveAllButtons(HWND toolbar) {
    while (::SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0)) {
    }
}

std::vector<int> Available() {
    std::vector<int> commands;
    for (const ButtonInfo& info : kButtons) commands.push_back(info.command);
    return commands;
}

}  // namespace

HWND CreateExplorerToolbar(HWND page, int id, const std::wstring& layout) {
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                         CCS_ADJUSTABLE | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                     0, 0, 0, 0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    if (toolbar == nullptr) return nullptr;
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    ::SendMessageW(toolbar, TB_SETMAXTEXTROWS, 0, 0);
    ImageOffsets()[static_cast<std::size_t>(ImageSet::History)] = LoadImages(toolbar, IDB_HIST_SMALL_COLOR);
    ImageOffsets()[static_cast<std::size_t>(ImageSet::View)] = LoadImages(toolbar, IDB_VIEW_SMALL_COLOR);
    ImageOffsets()[static_cast<std::size_t>(ImageSet::Standard)] = LoadImages(toolbar, IDB_STD_SMALL_COLOR);
    std::vector<int> commands = ParseButtonLayout(layout, Available());
    AddButtons(toolbar, commands.empty() ? kDefaultLayout : commands);
    return toolbar;
}

std::wstring ExplorerToolbarLayout(HWND toolbar) {
    std::vector<int> commands;
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.idCommand == kFilterSlotId) continue;
        commands.push_back((button.fsStyle & BTNS_SEP) != 0 ? 0 : button.idCommand);
    }
    return FormatButtonLayout(commands);
}

int ExplorerButtonsRight(HWND toolbar) {
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT area{};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.idCommand == kFilterSlotId || (button.fsState & TBSTATE_HIDDEN) != 0) continue;
        if (::SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&area)) && area.right > right) {
            right = static_cast<int>(area.right);
        }
    }
    return right;
}

void EnableExplorerButton(HWND toolbar, int command, bool enabled) {
    ::SendMessageW(toolbar, TB_ENABLEBUTTON, command, MAKELONG(enabled ? TRUE : FALSE, 0));
}

bool OnExplorerToolbarNotify(const NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case TBN_GETINFOTIPW: {
        auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(const_cast<NMHDR*>(header));
        if (const ButtonInfo* info = InfoOf(tip->iItem); info != nullptr && tip->pszText != nullptr) {
            ::lstrcpynW(tip->pszText, info->text, tip->cchTextMax);
        }
        result = 0;
        return true;
    }
    case TBN_QUERYINSERT:
        result = TRUE;
        return true;
    case TBN_QUERYDELETE: {
        const auto* change = reinterpret_cast<const NMTOOLBARW*>(header);
        result = change->tbButton.idCommand != kFilterSlotId;
        return true;
    }
    case TBN_GETBUTTONINFOW: {
        auto* request = reinterpret_cast<NMTOOLBARW*>(const_cast<NMHDR*>(header));
        if (request->iItem < 0 || request->iItem >= static_cast<int>(kButtons.size())) {
            result = FALSE;
            return true;
        }
        const ButtonInfo& info = kButtons[static_cast<std::size_t>(request->iItem)];
        request->tbButton = ButtonOf(info.command);
        if (request->pszText != nullptr) ::lstrcpynW(request->pszText, info.text, request->cchText);
        result = TRUE;
        return true;
    }
    case TBN_RESET: {
        RemoveAllButtons(header->hwndFrom);
        AddButtons(header->hwndFrom, kDefaultLayout);
        result = 0;
        return true;
    }
    case TBN_BEGINADJUST:
    case TBN_ENDADJUST:
    case TBN_TOOLBARCHANGE:
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
