// The batch-build dialog: a check-box list view over the configurations, built from a template.
#include "build/batch_build_dialog.h"

#include <commctrl.h>

#include "base/app_state.h"
#include "base/dialog_template.h"
#include "base/ini_file.h"
#include "base/ui_text.h"
#include "build/batch_build_ticks.h"
#include "build/build_command_ids.h"
#include "build/build_configuration.h"
#include "build/build_runner.h"
#include "build/output_pane.h"
#include "build/tarvik_settings.h"

namespace kelpo {
namespace {

constexpr wchar_t kSection[] = L"Batchbuild";
constexpr int kCmdShowOutputPage = 94;

// What the dialog hands back: the chosen engine flag and the ticked codes.
struct BatchChoice {
    const wchar_t* flag = nullptr;  // null: no build
    std::vector<unsigned> codes;
};

const wchar_t* ArchitectureLabel(unsigned arch) {
    switch (arch) {
    case kArchX86: return L"x86";
    case kArchX64: return L"x64";
    case kArchArm64: return L"ARM64";
    case kArchArm: return L"ARM";
    default: return L"unknown";
    }
}

void AddColumns(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const int width =
        client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL) - 2 * ::GetSystemMetrics(SM_CXBORDER);
    const std::wstring titles[] = {UiText(kTextBatchBuildTool), UiText(kTextBatchBuildArchitecture),
                                   UiText(kTextBatchBuildType)};
    const int widths[] = {width / 2, width / 4, width / 4};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvColumn.pszText = const_cast<wchar_t*>(titles[column].c_str());
        lvColumn.cx = widths[column];
        lvColumn.iSubItem = column;
        ListView_InsertColumn(list, column, &lvColumn);
    }
}

void AddRows(HWND list) {
    const std::vector<std::wstring> ticks = IniFile(App().paths.settingsFile).ReadList(kSection);
    int row = 0;
    for (const ToolDef* tool : InstalledTools(App().paths.folder)) {
        for (unsigned code : ConfigurationsOfTool(*tool)) {
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(tool->displayName);
            item.iImage = static_cast<int>(tool->imageIndex);
            item.lParam = static_cast<LPARAM>(code);
            if (ListView_InsertItem(list, &item) < 0) {
                continue;
            }
            ListView_SetItemText(list, row, 1, const_cast<wchar_t*>(ArchitectureLabel(ArchOf(code))));
            ListView_SetItemText(list, row, 2,
                                 const_cast<wchar_t*>(TypeOf(code) == kTypeDebug ? L"Debug" : L"Release"));
            ListView_SetCheckState(list, row, IsTicked(ticks, code));
            ++row;
        }
    }
}

std::vector<unsigned> TickedCodes(HWND list) {
    std::vector<unsigned> codes;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        if (ListView_GetCheckState(list, row)) {
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            ListView_GetItem(list, &item);
            codes.push_back(static_cast<unsigned>(item.lParam));
        }
    }
    return codes;
}

void InitDialog(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, kBatchBuildListId);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    if (App().shell.configurationBox != nullptr) {
        const auto images = reinterpret_cast<HIMAGELIST>(
            ::SendMessageW(App().shell.configurationBox, CBEM_GETIMAGELIST, 0, 0));
        ListView_SetImageList(list, images, LVSIL_SMALL);
    }
    AddColumns(list);
    AddRows(list);
}

INT_PTR CALLBACK BatchBuildProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitDialog(dialog);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const wchar_t* flag = id == kBatchBuildId     ? L""
                              : id == kBatchRebuildId ? L"/r"
                              : id == kBatchCleanId   ? L"/c"
                                                      : nullptr;
        if (flag == nullptr && id != IDOK && id != IDCANCEL) {
            return FALSE;
        }
        auto* choice = reinterpret_cast<BatchChoice*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        choice->codes = TickedCodes(::GetDlgItem(dialog, kBatchBuildListId));
        choice->flag = flag;
        // Saved before any build runs, so a window closed during the builds keeps them.
        const std::vector<std::wstring> lines = BatchBuildLines(choice->codes);
        IniFile(App().paths.settingsFile).WriteList(kSection, &lines);
        ::EndDialog(dialog, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

void ShowBatchBuildDialog(HWND owner) {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 206, kBatchBuildTitle);
    dialog.AddControl(WC_LISTVIEWW, L"", kBatchBuildListId,
                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 7, 7, 286,
                      170);
    const struct {
        int id;
        const wchar_t* text;
        short x;
        DWORD style;
    } buttons[] = {{kBatchBuildId, L"&Build", 7, BS_PUSHBUTTON},
                   {kBatchRebuildId, L"&Rebuild", 61, BS_PUSHBUTTON},
                   {kBatchCleanId, L"&Clean", 115, BS_PUSHBUTTON},
                   {IDOK, L"OK", 189, BS_DEFPUSHBUTTON},
                   {IDCANCEL, L"Cancel", 243, BS_PUSHBUTTON}};
    for (const auto& button : buttons) {
        dialog.AddControl(L"BUTTON", button.text, static_cast<WORD>(button.id),
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | button.style, button.x, 184, 50, 15);
    }
    BatchChoice choice;
    if (::DialogBoxIndirectParamW(App().instance, dialog.Get(), owner, BatchBuildProc,
                                  reinterpret_cast<LPARAM>(&choice)) <= 0 ||
        choice.flag == nullptr) {
        return;
    }
    RunBatchBuild(choice.flag, choice.codes);
}

void RunBatchBuild(const std::wstring& engineFlag, const std::vector<unsigned>& codes) {
    if (codes.empty()) {
        return;
    }
    if (App().mainWindow != nullptr) {
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdShowOutputPage, 0);
    }
    ClearOutput();
    for (unsigned code : codes) {
        // The window may have been closed while a build ran in its message loop.
        if (!App().created) {
            return;
        }
        StartBuild(engineFlag, static_cast<int>(code), false);
    }
}

bool HandleBatchBuildCommand(int command) {
    if (command != kCmdBatchBuild) {
        return false;
    }
    ShowBatchBuildDialog(App().mainWindow);
    return true;
}

}  // namespace kelpo
