// The recent lists in "mru.ini" and their menus and commands, with the real main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "base/recent_lists.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/session_commands.h"
#include "session_test_support.h"

namespace kelpo {
namespace {

using session_test::FileExists;
using session_test::ReadFileBytes;
using session_test::Utf16LeBytes;
using session_test::WriteFileBytes;

const std::wstring kWidePath = L"C:\\\u00e9t\u00e9\\\u65e5\u672c\\notes.txt";

struct MenuItemInfo {
    UINT id = 0;
    UINT state = 0;
    UINT type = 0;
    std::wstring text;
};

MenuItemInfo ItemAt(HMENU menu, int position) {
    wchar_t text[512] = {};
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 512;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return {info.wID, info.fState, info.fType, text};
}

// The pop-up of the main menu whose first item is the command.
HMENU PopupStartingWith(HMENU menu, UINT command) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (::GetMenuItemID(sub, 0) == command) {
                return sub;
            }
            if (HMENU found = PopupStartingWith(sub, command)) {
                return found;
            }
        }
    }
    return nullptr;
}

class RecentListsTest : public session_test::MainWindowTest {
protected:
    RecentLists& Recent() { return App().recent; }
};

TEST_F(RecentListsTest, MruFileRoundTripKeepsNonAsciiPathsAndUtf16) {
    const std::wstring mru = App().paths.recentFile;
    // Another section and an older ANSI file: the other section is kept, the file turns UTF-16.
    WriteFileBytes(mru, "[Other]\r\nkey=value\r\n[Files]\r\nC:\\old.txt\r\n");
    LoadRecentLists(App());
    ASSERT_EQ(Recent().files.Count(), 1);

    Recent().files.AddRecent(kWidePath);
    Recent().projects.AddRecent(L"C:\\p\\build.tvk");
    Recent().find.AddRecent(L" a = b ");
    Recent().find.AddRecent(L"needle;");
    Recent().replace.AddRecent(L"\u00fcber");
    Recent().findType.AddRecent(L"*.c;*.h");
    Recent().findWhere.AddRecent(L"D:\\\u65e5\u672c");
    SaveRecentLists(App());
    EXPECT_FALSE(Recent().files.Changed());

    const std::string bytes = ReadFileBytes(mru);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.find(Utf16LeBytes(L"[Files]\r\n" + kWidePath + L"\r\nC:\\old.txt\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(Utf16LeBytes(L"[Other]\r\nkey=value\r\n")), std::string::npos);

    // The profile functions read the same lines.
    wchar_t section[1024] = {};
    const DWORD length = ::GetPrivateProfileSectionW(L"Files", section, 1024, mru.c_str());
    const std::wstring block(section, length);
    EXPECT_EQ(block.substr(0, block.find_last_not_of(L'\0') + 1), kWidePath + L'\0' + L"C:\\old.txt");

    LoadRecentLists(App());
    ASSERT_EQ(Recent().files.Count(), 2);
    EXPECT_EQ(Recent().files[0], kWidePath);
    EXPECT_EQ(Recent().files[1], L"C:\\old.txt");
    EXPECT_EQ(Recent().projects.Entries(), std::vector<std::wstring>{L"C:\\p\\build.tvk"});
    EXPECT_EQ(Recent().find.Entries(), (std::vector<std::wstring>{L"needle;", L" a = b "}));
    EXPECT_EQ(Recent().replace.Entries(), std::vector<std::wstring>{L"\u00fcber"});
    EXPECT_EQ(Recent().findType.Entries(), std::vector<std::wstring>{L"*.c;*.h"});
    EXPECT_EQ(Recent().findWhere.Entries(), std::vector<std::wstring>{L"D:\\\u65e5\u672c"});
}

TEST_F(RecentListsTest, FileSystemCaseRulesDecideWhatIsTheSameEntry) {
    Recent().files.ClearRecent();
    Recent().files.AddRecent(L"C:\\\u00c9t\u00e9\\\u03a9mega.txt");
    Recent().files.AddRecent(L"C:\\other.txt");
    Recent().files.AddRecent(L"c:\\\u00e9T\u00c9\\\u03c9MEGA.TXT");
    ASSERT_EQ(Recent().files.Count(), 2);
    EXPECT_EQ(Recent().files[0], L"C:\\\u00c9t\u00e9\\\u03a9mega.txt");
}

TEST_F(RecentListsTest, OpenedFilesFeedFilesAndProjects) {
    const std::wstring text = folder_.File(L"a.txt");
    const std::wstring project = folder_.File(L"build.tvk");
    WriteFileBytes(text, "x\r\n");
    WriteFileBytes(project, "TARGETNAME=x\r\n");
    ASSERT_NE(OpenFileFromArgument(text), nullptr);
    ASSERT_NE(OpenFileFromArgument(project), nullptr);
    EXPECT_EQ(Recent().files.Entries(), std::vector<std::wstring>{text});
    EXPECT_EQ(Recent().projects.Entries(), std::vector<std::wstring>{project});
}

TEST_F(RecentListsTest, MruSizeZeroNeitherLoadsNorKeepsNorSaves) {
    const std::wstring mru = App().paths.recentFile;
    WriteFileBytes(mru, "\xFF\xFE" + Utf16LeBytes(L"[Files]\r\nC:\\kept.txt\r\n[Find]\r\nneedle\r\n"));
    App().settings.mruSize = 0;
    LoadRecentLists(App());
    EXPECT_TRUE(Recent().files.Empty());
    EXPECT_EQ(Recent().find.Count(), 1);

    const std::wstring text = folder_.File(L"a.txt");
    WriteFileBytes(text, "x");
    ASSERT_NE(OpenFileFromArgument(text), nullptr);
    EXPECT_TRUE(Recent().files.Empty());

    HMENU popup = PopupStartingWith(::GetMenu(window_), kCmdClearRecentFiles);
    ASSERT_NE(popup, nullptr);
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(::GetMenuItemCount(popup), 1);
    EXPECT_TRUE(ItemAt(popup, 0).state & MFS_GRAYED);

    SaveRecentLists(App());
    EXPECT_NE(ReadFileBytes(mru).find(Utf16LeBytes(L"[Files]\r\nC:\\kept.txt\r\n")), std::string::npos);
}

TEST_F(RecentListsTest, ChangingMruSizeCutsBothListsAndWritesTheSettingAtOnce) {
    for (int i = 1; i <= 20; ++i) {
        Recent().files.AddRecent(L"C:\\f" + std::to_wstring(i) + L".txt");
        Recent().projects.AddRecent(L"C:\\p" + std::to_wstring(i) + L".tvk");
    }
    ASSERT_TRUE(SetMruSize(App(), 5));
    EXPECT_EQ(Recent().files.Count(), 5);
    EXPECT_EQ(Recent().files[0], L"C:\\f20.txt");
    EXPECT_EQ(Recent().projects.Count(), 5);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadInt(L"MruSize", -1), 5);

    ASSERT_TRUE(SetMruSize(App(), 20));
    EXPECT_EQ(Recent().files.Count(), 5);
    EXPECT_FALSE(SetMruSize(App(), 31));
    EXPECT_EQ(App().settings.mruSize, 20);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadInt(L"MruSize", -1), 20);

    // Lowered to 0 during the run, the emptied lists are written, not left as they were.
    ASSERT_TRUE(SetMruSize(App(), 0));
    SaveRecentLists(App());
    App().settings.mruSize = 20;
    LoadRecentLists(App());
    EXPECT_TRUE(Recent().files.Empty());
}

TEST_F(RecentListsTest, RecentFilesMenuIsNumberedAndRebuiltEachTime) {
    for (int i = 12; i >= 1; --i) {
        Recent().files.AddRecent(L"C:\\dir\\f" + std::to_wstring(i) + L".txt");
    }
    HMENU popup = PopupStartingWith(::GetMenu(window_), kCmdClearRecentFiles);
    ASSERT_NE(popup, nullptr);
    for (int pass = 0; pass < 2; ++pass) {
        ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        ASSERT_EQ(::GetMenuItemCount(popup), 14);
        EXPECT_EQ(ItemAt(popup, 0).id, static_cast<UINT>(kCmdClearRecentFiles));
        EXPECT_FALSE(ItemAt(popup, 0).state & MFS_GRAYED);
        EXPECT_TRUE(ItemAt(popup, 1).type & MFT_SEPARATOR);
        EXPECT_EQ(ItemAt(popup, 2).id, 300u);
        EXPECT_EQ(ItemAt(popup, 2).text, L"&1 C:\\dir\\f1.txt");
        EXPECT_EQ(ItemAt(popup, 10).id, 308u);
        EXPECT_EQ(ItemAt(popup, 10).text, L"&9 C:\\dir\\f9.txt");
        EXPECT_EQ(ItemAt(popup, 11).id, 309u);
        EXPECT_EQ(ItemAt(popup, 11).text, L"C:\\dir\\f10.txt");
        EXPECT_EQ(ItemAt(popup, 13).text, L"C:\\dir\\f12.txt");
    }

    ::SendMessageW(window_, WM_COMMAND, kCmdClearRecentFiles, 0);
    EXPECT_TRUE(Recent().files.Empty());
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(::GetMenuItemCount(popup), 1);
    EXPECT_TRUE(ItemAt(popup, 0).state & MFS_GRAYED);
}

TEST_F(RecentListsTest, RecentProjectsMenuNeedsTheBuildTool) {
    Recent().projects.AddRecent(L"C:\\p\\build.tvk");
    HMENU popup = PopupStartingWith(::GetMenu(window_), kCmdClearRecentProjects);
    ASSERT_NE(popup, nullptr);
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(::GetMenuItemCount(popup), 1);

    WriteFileBytes(App().paths.folder + L"build.exe", "MZ");
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    ASSERT_EQ(::GetMenuItemCount(popup), 3);
    EXPECT_EQ(ItemAt(popup, 2).id, 350u);
    EXPECT_EQ(ItemAt(popup, 2).text, L"&1 C:\\p\\build.tvk");
}

TEST_F(RecentListsTest, RecentCommandsOpenTheirEntryAndKeepMissingOnes) {
    const std::wstring present = folder_.File(L"present.txt");
    const std::wstring missing = folder_.File(L"missing.txt");
    WriteFileBytes(present, "x");
    Recent().files.AddRecent(present);
    Recent().files.AddRecent(missing);

    ::SendMessageW(window_, WM_COMMAND, 301, 0);
    ASSERT_EQ(Tabs()->Count(), 1);
    EXPECT_EQ(Tabs()->At(0)->path, present);
    EXPECT_EQ(Recent().files.Entries(), (std::vector<std::wstring>{present, missing}));

    ::SendMessageW(window_, WM_COMMAND, 301, 0);
    EXPECT_EQ(Tabs()->Count(), 1);
    EXPECT_EQ(Recent().files.Entries(), (std::vector<std::wstring>{present, missing}));

    ::SendMessageW(window_, WM_COMMAND, 349, 0);
    EXPECT_EQ(Tabs()->Count(), 1);
    EXPECT_TRUE(HandleSessionCommand(349));
    EXPECT_TRUE(HandleSessionCommand(399));
    EXPECT_FALSE(HandleSessionCommand(400));
    EXPECT_FALSE(HandleSessionCommand(13));
    EXPECT_FALSE(FileExists(missing));
}

}  // namespace
}  // namespace kelpo
