// The window-list dialog opened by command 206 and driven from inside its modal loop: rows and
// columns, the active row, sorting by clicked columns, choosing a row, size and placement.
#include <windows.h>
#include <commctrl.h>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_commands.h"
#include "doc/window_list_dialog.h"
#include "tab_test_support.h"

namespace kelpo {
namespace {

using tab_test::DialogDriver;
using tab_test::TabWindowTest;

HWND ListOf(HWND dialog) { return ::GetDlgItem(dialog, kWindowListControlId); }

std::wstring Cell(HWND list, int item, int column) {
    wchar_t text[300] = {};
    ListView_GetItemText(list, item, column, text, 300);
    return text;
}

// The first column of every row, top to bottom.
std::vector<std::wstring> Positions(HWND list) {
    std::vector<std::wstring> positions;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        positions.push_back(Cell(list, i, 0));
    }
    return positions;
}

void ClickColumn(HWND dialog, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = ListOf(dialog);
    click.hdr.idFrom = kWindowListControlId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    ::SendMessageW(dialog, WM_NOTIFY, kWindowListControlId, reinterpret_cast<LPARAM>(&click));
}

int RowShowing(HWND list, const std::wstring& name) {
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        if (Cell(list, i, 1) == name) {
            return i;
        }
    }
    return -1;
}

void Select(HWND list, int item) {
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

class WindowListDialog : public TabWindowTest {
protected:
    void OpenThree() {
        code_ = OpenFile(L"b.cpp", "1\r\n2\r\n3\r\n");
        header_ = OpenFile(L"A.h", "x");
        NewDocument(nullptr);
        untitled_ = Tabs()->Active();
        ASSERT_NE(code_, nullptr);
        ASSERT_NE(header_, nullptr);
    }

    // Opens the dialog and runs `action` inside it; false when the dialog never showed.
    bool RunDialog(std::function<void(HWND)> action) {
        DialogDriver driver(kWindowListControlId, std::move(action));
        Command(kCmdWindowList);
        return driver.Ran();
    }

    Document* code_ = nullptr;
    Document* header_ = nullptr;
    Document* untitled_ = nullptr;
};

TEST_F(WindowListDialog, ListsEveryDocumentAndSortsByTheClickedColumn) {
    OpenThree();
    Tabs()->Activate(1, false);
    const bool ran = RunDialog([&](HWND dialog) {
        HWND list = ListOf(dialog);
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 7);
        ASSERT_EQ(ListView_GetItemCount(list), 3);
        EXPECT_EQ(Cell(list, 0, 0), L"1");
        EXPECT_EQ(Cell(list, 0, 1), L"b.cpp");
        EXPECT_EQ(Cell(list, 0, 2), code_->path);
        EXPECT_EQ(Cell(list, 0, 3), L"cpp");
        EXPECT_EQ(Cell(list, 0, 4), L"9");
        EXPECT_EQ(Cell(list, 0, 5), L"4");
        EXPECT_FALSE(Cell(list, 0, 6).empty());
        EXPECT_EQ(Cell(list, 2, 1), untitled_->displayName);
        EXPECT_EQ(Cell(list, 2, 2), L"");
        EXPECT_EQ(Cell(list, 2, 4), L"0");
        EXPECT_EQ(Cell(list, 2, 5), L"1");
        EXPECT_EQ(Cell(list, 2, 6), L"");
        // Each row shows the small system icon of its file type.
        EXPECT_NE(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
        LVITEMW icon{};
        icon.mask = LVIF_IMAGE;
        icon.iItem = 0;
        ListView_GetItem(list, &icon);
        EXPECT_GE(icon.iImage, 0);
        // The active document's row is selected and focused.
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 1);
        // Every column is at least as wide as its widest text.
        for (int column = 1; column < 7; ++column) {
            for (int item = 0; item < 3; ++item) {
                EXPECT_GE(ListView_GetColumnWidth(list, column),
                          ListView_GetStringWidth(list, Cell(list, item, column).c_str()) + 16);
            }
        }

        ClickColumn(dialog, 1);  // name, without regard to case
        EXPECT_EQ(Positions(list), (std::vector<std::wstring>{L"2", L"1", L"3"}));
        ClickColumn(dialog, 1);
        EXPECT_EQ(Positions(list), (std::vector<std::wstring>{L"3", L"1", L"2"}));
        ClickColumn(dialog, 4);  // bytes, as numbers
        EXPECT_EQ(Positions(list), (std::vector<std::wstring>{L"3", L"2", L"1"}));
        ClickColumn(dialog, 5);
        ClickColumn(dialog, 5);  // lines, descending
        EXPECT_EQ(Positions(list), (std::vector<std::wstring>{L"1", L"2", L"3"}));

        Select(list, RowShowing(list, L"b.cpp"));
        ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(Tabs()->Active(), code_);
    EXPECT_EQ(code_->listPosition, 0);
    EXPECT_EQ(untitled_->listPosition, 2);
}

TEST_F(WindowListDialog, DoubleClickAndEnterChooseARowAndCancelDoesNot) {
    OpenThree();
    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        HWND list = ListOf(dialog);
        RECT item{};
        item.left = LVIR_LABEL;
        ListView_GetItemRect(list, RowShowing(list, L"A.h"), &item, LVIR_LABEL);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                       MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    }));
    EXPECT_EQ(Tabs()->Active(), header_);

    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        HWND list = ListOf(dialog);
        Select(list, RowShowing(list, L"b.cpp"));
        ::SetFocus(list);
        ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    }));
    EXPECT_EQ(Tabs()->Active(), code_);

    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        HWND list = ListOf(dialog);
        Select(list, RowShowing(list, untitled_->displayName));
        ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
    EXPECT_EQ(Tabs()->Active(), code_);
}

TEST_F(WindowListDialog, ResizingKeepsTheListAndButtonsAtTheirDistances) {
    OpenThree();
    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        MINMAXINFO limits{};
        ::SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, 500);
        EXPECT_EQ(limits.ptMinTrackSize.y, 300);

        const auto distances = [&] {
            RECT client;
            ::GetClientRect(dialog, &client);
            RECT list;
            ::GetWindowRect(ListOf(dialog), &list);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
            RECT ok;
            ::GetWindowRect(::GetDlgItem(dialog, IDOK), &ok);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
            return std::vector<LONG>{list.left, list.top, client.right - list.right, client.bottom - list.bottom,
                                     client.right - ok.left, client.bottom - ok.top, ok.right - ok.left};
        };
        const std::vector<LONG> before = distances();
        ::SetWindowPos(dialog, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(distances(), before);
        ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
}

TEST_F(WindowListDialog, PlacementIsRestoredFromAndStoredToTheSettings) {
    OpenThree();
    const IniFile ini(App().paths.settingsFile);
    ini.WriteWindowPos(L"WndPosWindows", WindowPos{{100, 120, 760, 620}, SW_SHOWNORMAL});
    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        WINDOWPLACEMENT placement{sizeof(WINDOWPLACEMENT)};
        ::GetWindowPlacement(dialog, &placement);
        EXPECT_EQ(placement.rcNormalPosition.left, 100);
        EXPECT_EQ(placement.rcNormalPosition.top, 120);
        EXPECT_EQ(placement.rcNormalPosition.right, 760);
        EXPECT_EQ(placement.rcNormalPosition.bottom, 620);
        ::MoveWindow(dialog, 50, 60, 650, 420, TRUE);
        ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
    std::optional<WindowPos> stored = ini.ReadWindowPos(L"WndPosWindows");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(*stored, (WindowPos{{50, 60, 700, 480}, SW_SHOWNORMAL}));

    // Too small a stored size grows to the least size.
    ini.WriteWindowPos(L"WndPosWindows", WindowPos{{10, 10, 200, 100}, SW_SHOWNORMAL});
    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        RECT rect;
        ::GetWindowRect(dialog, &rect);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.right - rect.left, 500);
        EXPECT_EQ(rect.bottom - rect.top, 300);
        ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    }));

    // A place on no monitor is not used.
    ini.WriteWindowPos(L"WndPosWindows", WindowPos{{-9000, -9000, -8000, -8000}, SW_SHOWNORMAL});
    EXPECT_TRUE(RunDialog([&](HWND dialog) {
        RECT rect;
        ::GetWindowRect(dialog, &rect);
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, 0);
        ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
}

}  // namespace
}  // namespace kelpo
