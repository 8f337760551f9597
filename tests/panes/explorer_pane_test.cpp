// The explorer pane on the real main window under Wine, on real folders: the open rule, new
// files, the filter box, the history, the fallback when nothing parses, and the links to it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aids/templates_menu.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/ini_file.h"
#include "doc/documents.h"
#include "doc/file_location.h"
#include "panes/explorer_pane.h"
#include "panes/favorites_menu.h"
#include "panes/folder_view.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::FileExists;
using test::TempFolder;
using test::WriteFileBytes;

std::vector<std::wstring>& Started() {
    static std::vector<std::wstring> started;
    return started;
}

void RecordStart(const std::wstring& path) { Started().push_back(path); }

int& ParseCalls() {
    static int calls = 0;
    return calls;
}

// Fails five times, then gives the computer folder: a fallback that kept retrying would end up there.
HRESULT FailingParse(const wchar_t*, ITEMIDLIST** pidl) {
    *pidl = nullptr;
    if (++ParseCalls() <= 5) return E_FAIL;
    return ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, pidl);
}

std::wstring NoSlash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

class ExplorerPaneTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        ::OleInitialize(nullptr);
        Started().clear();
        SetShellStarterForTest(RecordStart);
        WriteFileBytes(files_.File(L"readme.txt"), "read me");
        WriteFileBytes(files_.File(L"setup.exe"), "MZ");
        WriteFileBytes(files_.File(L"notes.md"), "# notes");
        WriteFileBytes(files_.File(L"main.cpp"), "int main() {}");
        WriteFileBytes(files_.File(L"a.c"), "int a;");
        WriteFileBytes(files_.File(L"b.h"), "int b;");
        ::CreateDirectoryW(files_.File(L"sub").c_str(), nullptr);
        IniFile ini(folder_.File(L"kelpo.ini"));
        const std::vector<std::wstring> filters = {L"Sources (*.c;*.h)", L"All (*.*)"};
        ini.WriteList(L"Filter", &filters);
        ini.WriteText(L"Filter", L"All (*.*)");
        MainWindowFixture::SetUp();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        SetShellStarterForTest(nullptr);
        SetFolderParserForTest(nullptr);
        ::OleUninitialize();
    }

    CFolderView& Browser() { return *ExplorerFolderView(); }

    // The names the folder view lists, as their parsing names without the folder.
    std::vector<std::wstring> Listed() {
        std::vector<std::wstring> names;
        HWND list = Browser().ListWindow();
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i) {
            wchar_t text[MAX_PATH] = {};
            ListView_GetItemText(list, i, 0, text, MAX_PATH);
            names.push_back(text);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // A real double click on the item, as the user gives it.
    void DoubleClick(const std::wstring& name) {
        ASSERT_TRUE(Browser().SelectItem(name, false)) << name;
        HWND list = Browser().ListWindow();
        const int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        ASSERT_GE(item, 0) << name;
        RECT area{};
        ListView_GetItemRect(list, item, &area, LVIR_LABEL);
        const LPARAM at = MAKELPARAM(area.left + 2, (area.top + area.bottom) / 2);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
        test::PumpFor(std::chrono::milliseconds(50));
    }

    TempFolder files_;
};

TEST_F(ExplorerPaneTest, ShowsAFolderAndItsAddress) {
    ShowFolderInExplorer(files_.Path());
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), NoSlash(files_.Path()));
    EXPECT_EQ(Listed().size(), 7u);
    HWND address = ::GetDlgItem(ExplorerPage(), kExplorerAddressId);
    EXPECT_EQ(NoSlash(test::WindowText(address)), NoSlash(files_.Path()));
}

TEST_F(ExplorerPaneTest, OpenRuleInBothModes) {
    struct Case {
        bool includeMode;
        const wchar_t* name;
        bool toShell;
    };
    const Case cases[] = {
        {false, L"setup.exe", true}, {false, L"readme.txt", false},
        {true, L"notes.md", true},   {true, L"main.cpp", false},
    };
    ShowFolderInExplorer(files_.Path());
    for (const Case& c : cases) {
        Started().clear();
        ExplorerOpenRule rule = ExplorerOpenRuleNow();
        rule.mode = c.includeMode ? OpenMode::Include : OpenMode::Exclude;
        SetExplorerOpenRule(rule);
        DoubleClick(c.name);
        const std::wstring path = files_.File(c.name);
        EXPECT_EQ(Started() == std::vector<std::wstring>{path}, c.toShell) << c.name;
        EXPECT_EQ(test::DocumentWithPath(path) != nullptr, !c.toShell) << c.name;
    }
}

TEST_F(ExplorerPaneTest, DoubleClickOnAFolderBrowsesIntoIt) {
    ShowFolderInExplorer(files_.Path());
    const std::size_t before = Browser().BackRing().Size();
    DoubleClick(L"sub");
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), files_.File(L"sub"));
    EXPECT_EQ(Browser().BackRing().Size(), before + 1);
}

TEST_F(ExplorerPaneTest, NewFilesAreNumbered) {
    ShowFolderInExplorer(files_.Path());
    for (int i = 0; i < 3; ++i) {
        ::SendMessageW(ExplorerPage(), WM_COMMAND, kExplorerNewFile, 0);
    }
    for (const wchar_t* name : {L"New File", L"New File (2)", L"New File (3)"}) {
        EXPECT_TRUE(FileExists(files_.File(name))) << name;
    }
    EXPECT_FALSE(FileExists(files_.File(L"New File (4)")));
}

TEST_F(ExplorerPaneTest, NewFolderComesFromTheShellsVerb) {
    ShowFolderInExplorer(files_.Path());
    const std::size_t before = files_.Names().size();
    ::SendMessageW(ExplorerPage(), WM_COMMAND, kExplorerNewFolder, 0);
    test::PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(files_.Names().size(), before + 1);
}

TEST_F(ExplorerPaneTest, KeysOfTheFolderView) {
    ShowFolderInExplorer(files_.File(L"sub"));
    MSG backspace{Browser().ListWindow(), WM_KEYDOWN, VK_BACK, 0};
    EXPECT_TRUE(TranslateExplorerMessage(backspace));
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), NoSlash(files_.Path()));
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG back{Browser().ListWindow(), WM_KEYDOWN, VK_LEFT, 0};
    EXPECT_TRUE(TranslateExplorerMessage(back));
    EXPECT_EQ(ExplorerCurrentFolder(), files_.File(L"sub"));
    MSG forward{Browser().ListWindow(), WM_KEYDOWN, VK_RIGHT, 0};
    EXPECT_TRUE(TranslateExplorerMessage(forward));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), NoSlash(files_.Path()));
}

TEST_F(ExplorerPaneTest, ViewSettingsHideTheAddressBoxAndTheToolbar) {
    HWND address = ::GetDlgItem(ExplorerPage(), kExplorerAddressId);
    HWND toolbar = ::GetDlgItem(ExplorerPage(), kExplorerToolbarId);
    ASSERT_TRUE(::IsWindowVisible(address));
    RunExplorerViewSetting(kExplorerToggleAddress);
    RunExplorerViewSetting(kExplorerToggleToolbar);
    EXPECT_EQ(App().settings.config2 & ((1u << 12) | (1u << 14)), (1u << 12) | (1u << 14));
    EXPECT_FALSE(::IsWindowVisible(address));
    EXPECT_FALSE(::IsWindowVisible(toolbar));
    RECT view{};
    ::GetWindowRect(Browser().ViewWindow(), &view);
    POINT corner{view.left, view.top};
    ::ScreenToClient(ExplorerPage(), &corner);
    EXPECT_EQ(corner.y, 0);
    RunExplorerViewSetting(kExplorerToggleAddress);
    EXPECT_TRUE(::IsWindowVisible(address));
}

TEST_F(ExplorerPaneTest, ExitWritesTheFolderAndViewKeys) {
    ShowFolderInExplorer(files_.File(L"sub"));
    SaveExplorerPaneSettings();
    const IniFile ini(App().paths.settingsFile);
    EXPECT_EQ(NoSlash(ini.ReadString(L"Path")), files_.File(L"sub"));
    EXPECT_EQ(ini.ReadInt(L"ViewMode", 0), 4);
    EXPECT_EQ(ini.ReadInt(L"IconSize", 0), 16);
    EXPECT_EQ(ini.ReadString(L"FilesToolbar"), L"");
}

TEST_F(ExplorerPaneTest, ChangedToolbarIsStoredAndAResetDeletesIt) {
    HWND toolbar = ::GetDlgItem(ExplorerPage(), kExplorerToolbarId);
    ASSERT_TRUE(::SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0));
    SaveExplorerPaneSettings();
    const IniFile ini(App().paths.settingsFile);
    EXPECT_EQ(ini.ReadString(L"FilesToolbar"), L"11 12 | 13 14 15 16 18 17");
    NMHDR reset{toolbar, kExplorerToolbarId, static_cast<UINT>(TBN_RESET)};
    ::SendMessageW(ExplorerPage(), WM_NOTIFY, kExplorerToolbarId, reinterpret_cast<LPARAM>(&reset));
    EXPECT_EQ(ini.ReadString(L"FilesToolbar"), L"");
    EXPECT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 11);  // ten and the filter box's slot
}

TEST_F(ExplorerPaneTest, FilterLineShowsOnlyItsPatternsAndIsStored) {
    ShowFolderInExplorer(files_.Path());
    const std::size_t everything = Listed().size();
    HWND filterBox = ::GetDlgItem(::GetDlgItem(ExplorerPage(), kExplorerToolbarId), kExplorerFilterId);
    ASSERT_NE(filterBox, nullptr);
    ::SendMessageW(filterBox, CB_SETCURSEL, 0, 0);
    ::SendMessageW(ExplorerPage(), WM_COMMAND, MAKEWPARAM(kExplorerFilterId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(filterBox));
    EXPECT_EQ(Listed().size(), 2u);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadString(L"Filter"), L"Sources (*.c;*.h)");
    ::SendMessageW(filterBox, CB_SETCURSEL, 1, 0);
    ::SendMessageW(ExplorerPage(), WM_COMMAND, MAKEWPARAM(kExplorerFilterId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(filterBox));
    EXPECT_EQ(Listed().size(), everything);
    ::SetWindowTextW(filterBox, L"*.md");  // typed
    ::SendMessageW(ExplorerPage(), WM_COMMAND, MAKEWPARAM(kExplorerFilterId, CBN_EDITCHANGE),
                   reinterpret_cast<LPARAM>(filterBox));
    EXPECT_EQ(Listed().size(), 1u);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadString(L"Filter"), L"*.md");
}

TEST_F(ExplorerPaneTest, NineBrowsesKeepEightInTheBackRing) {
    std::vector<std::wstring> folders;
    for (int i = 0; i < 10; ++i) {
        folders.push_back(files_.File(L"d" + std::to_wstring(i)));
        ASSERT_TRUE(::CreateDirectoryW(folders.back().c_str(), nullptr));
    }
    for (const std::wstring& folder : folders) {
        ShowFolderInExplorer(folder);
    }
    const HistoryRing<unique_pidl>& back = Browser().BackRing();
    ASSERT_EQ(back.Size(), 8u);
    EXPECT_EQ(CFolderView::AddressText(back.At(0).get()), folders[8]);
    EXPECT_EQ(CFolderView::AddressText(back.At(7).get()), folders[1]);
    ::SendMessageW(ExplorerPage(), WM_COMMAND, kExplorerBack, 0);
    EXPECT_EQ(ExplorerCurrentFolder(), folders[8]);
    EXPECT_EQ(Browser().ForwardRing().Size(), 1u);
    Browser().Back(2);  // the third entry: two skipped folders go to the forward ring with the current one
    EXPECT_EQ(ExplorerCurrentFolder(), folders[5]);
    EXPECT_EQ(Browser().ForwardRing().Size(), 4u);
    EXPECT_EQ(CFolderView::AddressText(Browser().ForwardRing().At(0).get()), folders[6]);
}

TEST_F(ExplorerPaneTest, FallbackToTheComputerFolderIsTriedOnce) {
    ShowFolderInExplorer(files_.Path());
    SetFolderParserForTest(FailingParse);
    ParseCalls() = 0;
    HWND address = ::GetDlgItem(ExplorerPage(), kExplorerAddressId);
    COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
    ASSERT_TRUE(::GetComboBoxInfo(address, &info));
    ::SetWindowTextW(address, L"C:\\no such folder");
    MSG enter{info.hwndItem, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(TranslateExplorerMessage(enter));
    EXPECT_EQ(ParseCalls(), 2);
    EXPECT_EQ(Browser().ViewWindow(), nullptr);
    EXPECT_EQ(test::WindowText(address), L"C:\\no such folder");
    EXPECT_EQ(ExplorerCurrentFolder(), L"");
}

TEST_F(ExplorerPaneTest, CommandShowsTheActiveFileSelectedInThePane) {
    const std::wstring path = files_.File(L"main.cpp");
    ASSERT_NE(OpenDocument(path), nullptr);
    App().settings.config1 &= ~kC1LeftPane;
    ::SendMessageW(window_, WM_COMMAND, 21, 0);
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), NoSlash(files_.Path()));
    EXPECT_NE(App().settings.config1 & kC1LeftPane, 0u);
    EXPECT_EQ(Browser().SelectedItems().size(), 1u);
    EXPECT_EQ(ExplorerPaneFolder(), ExplorerCurrentFolder());
}

TEST_F(ExplorerPaneTest, SelectionGoesToTheFavouritesAndAFolderOpensInThePane) {
    ShowFolderInExplorer(files_.Path());
    ASSERT_TRUE(Browser().SelectItem(L"sub", false));
    ::SendMessageW(ExplorerPage(), WM_COMMAND, kExplorerAddToFavorites, 0);
    const std::vector<FavoriteMenuRecord>& records = FavoriteMenuRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].path, files_.File(L"sub"));
    ShowFolderInExplorer(folder_.Path());
    ::SendMessageW(window_, WM_COMMAND, 450, 0);
    EXPECT_EQ(ExplorerCurrentFolder(), files_.File(L"sub"));
}

TEST_F(ExplorerPaneTest, TemplatesMenuShowsTheTemplateFolder) {
    const std::wstring templates = folder_.File(L"template");
    ASSERT_TRUE(::CreateDirectoryW(templates.c_str(), nullptr));
    RunTemplatesCommand(999, {});
    EXPECT_EQ(NoSlash(ExplorerCurrentFolder()), templates);
}

TEST_F(ExplorerPaneTest, DroppedFolderIsShownInThePane) {
    const std::wstring folder = files_.File(L"sub");
    const std::size_t bytes = sizeof(DROPFILES) + (folder.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    ASSERT_NE(memory, nullptr);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    RECT client{};
    ::GetClientRect(window_, &client);
    drop->pt = {client.right - 20, client.bottom / 2};
    std::copy(folder.begin(), folder.end(), reinterpret_cast<wchar_t*>(drop + 1));
    ::GlobalUnlock(memory);
    ::SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(ExplorerCurrentFolder(), folder);
}

}  // namespace
}  // namespace kelpo
