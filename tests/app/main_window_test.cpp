// The main window created in this process: title and class, start-up hand-over, commands,
// the usage dialog, the received command line and the settings written when it closes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "Scintilla.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/font_choice.h"
#include "app/hand_over.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/rebar.h"
#include "app/settings_store.h"
#include "app/shortcuts.h"
#include "app/startup.h"
#include "app/toolbar_buttons.h"
#include "app/status_bar.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "base/resource_ids.h"
#include "base/status_message.h"
#include "doc/document.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;

using MainWindowTest = test::MainWindowFixture;

TEST_F(MainWindowTest, HasItsClassAndDefaultPlace) {
    wchar_t text[64] = {};
    ::GetClassNameW(window_, text, 64);
    EXPECT_STREQ(text, L"KelpoWindow");
    EXPECT_TRUE(::IsWindowVisible(window_));
    RECT rect;
    ::GetWindowRect(window_, &rect);
    EXPECT_EQ(rect.right - rect.left, 780);
    EXPECT_EQ(rect.bottom - rect.top, 580);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 780) / 2);

    MINMAXINFO info{};
    ::SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 500);
    EXPECT_EQ(info.ptMinTrackSize.y, 300);
}

// Without the build engine beside the program there is no Build menu, and no empty place for it.
TEST_F(MainWindowTest, MenuBarItemsFollowEachOtherWithoutTheBuildMenu) {
    HMENU bar = ::GetMenu(window_);
    const int count = ::GetMenuItemCount(bar);
    ASSERT_GT(count, 5);
    RECT previous{};
    for (int i = 0; i < count; ++i) {
        wchar_t title[32] = {};
        ::GetMenuStringW(bar, static_cast<UINT>(i), title, 32, MF_BYPOSITION);
        EXPECT_STRNE(title, L"&Build");
        RECT item{};
        ASSERT_TRUE(::GetMenuItemRect(window_, bar, static_cast<UINT>(i), &item));
        if (i > 0 && item.top == previous.top) {
            EXPECT_EQ(item.left, previous.right) << "before item " << i;
        }
        previous = item;
    }
}

TEST_F(MainWindowTest, StartupCreatesOneEmptyDocumentWhenNothingWasOpened) {
    ASSERT_EQ(DocumentCount(), 1);
    EXPECT_FALSE(Tabs()->At(0)->HasPath());
    EXPECT_EQ(Tabs()->At(0)->displayName, L"Untitled 1");
    EXPECT_EQ(test::WindowText(window_), L"Untitled 1 - Kelpo");
}

TEST_F(MainWindowTest, CloseWritesTheSettingsInTheirForm) {
    ::SendMessageW(window_, WM_COMMAND, kCmdResetLayout, 0);
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(window_));
    const IniFile ini(App().paths.settingsFile);
    EXPECT_EQ(ini.ReadInt(L"Config1", 0), 39883681);
    EXPECT_EQ(ini.ReadInt(L"Config2", 0), 117507140);
    EXPECT_EQ(ini.ReadInt(L"LeftTabWidth", 0), 290);
    EXPECT_EQ(ini.ReadInt(L"BottomTabHeight", 0), 200);
    EXPECT_EQ(ini.ReadInt(L"SearchFlags", 0), 34);
    const auto pos = ini.ReadWindowPos(L"WndPos");
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(pos->rect.Width(), 780);
    EXPECT_EQ(pos->showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(test::ReadFileBytes(ini.Path()).substr(0, 2), std::string("\xFF\xFE", 2));
}

TEST_F(MainWindowTest, MinimisedWindowIsStoredAsItWillComeBack) {
    ::ShowWindow(window_, SW_MAXIMIZE);
    ::ShowWindow(window_, SW_MINIMIZE);
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadWindowPos(L"WndPos")->showCmd, SW_SHOWMAXIMIZED);
}

TEST_F(MainWindowTest, ResetLayoutCommand) {
    App().settings.config1 |= kC1BottomPane | kC1LockToolbars | (3u << kC1LeftTabShift);
    App().settings.config1 &= ~kC1StatusBar;
    App().settings.leftTabWidth = 17;
    ::SendMessageW(window_, WM_COMMAND, kCmdResetLayout, 0);
    EXPECT_EQ(App().settings.config1, kConfig1Default);
    EXPECT_EQ(App().settings.leftTabWidth, 290);
}

TEST_F(MainWindowTest, EscapeHidesTheBottomPane) {
    App().settings.config1 |= kC1BottomPane;
    MSG escape{window_, WM_KEYDOWN, VK_ESCAPE, 0};
    ProcessMessage(App(), escape);
    EXPECT_FALSE(App().settings.config1 & kC1BottomPane);
    App().settings.config1 |= kC1BottomPane;
    ::SendMessageW(window_, WM_COMMAND, kCmdEscape, 0);
    EXPECT_FALSE(App().settings.config1 & kC1BottomPane);
}

// Reads the usage dialog while its modal loop runs, then closes it.
std::wstring g_usageText;
void CALLBACK ReadUsageDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowW(L"#32770", L"Command-line usage");
    if (dialog == nullptr) {
        return;
    }
    ::KillTimer(nullptr, timer);
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(dialog, IDC_USAGE_TEXT, text, 1024);
    g_usageText = text;
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowTest, UsageDialogShowsTheUsageText) {
    g_usageText.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadUsageDialog);
    ::SendMessageW(window_, WM_COMMAND, kCmdUsage, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_usageText, kUsageText);
}

TEST_F(MainWindowTest, HandedOverCommandLineOpensRelativeToTheSenderDirectory) {
    const std::wstring base = folder_.File(L"base");
    ::CreateDirectoryW(base.c_str(), nullptr);
    test::WriteFileBytes(base + L"\\one.c", "int one;\r\n");
    test::WriteFileBytes(folder_.File(L"two.c"), "line 1\r\nline 2\r\nline 3\r\nabcdef\r\nline 5\r\n");
    test::WriteFileBytes(folder_.File(L"abs.txt"), "absolute");
    const int before = DocumentCount();
    auto block = BuildHandOverBlock(base, L"\"C:\\Program Files\\kelpo.exe\" one.c -line:4,2 ..\\two.c \"" +
                                              folder_.File(L"abs.txt") + L"\" missing.c");
    COPYDATASTRUCT data{0, static_cast<DWORD>(block.size()), block.data()};
    EXPECT_EQ(::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    ASSERT_EQ(DocumentCount(), before + 3);
    const Document* one = test::DocumentWithPath(base + L"\\one.c");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(test::CaretLineColumn(*one), std::make_pair(1, 1));
    const Document* two = test::DocumentWithPath(folder_.File(L"two.c"));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(test::CaretLineColumn(*two), std::make_pair(4, 2));
    EXPECT_EQ(Tabs()->Active(), test::DocumentWithPath(folder_.File(L"abs.txt")));
    EXPECT_EQ(test::DocumentWithPath(base + L"\\missing.c"), nullptr);
    EXPECT_EQ(LastStatusMessage(), L"Cannot open file: " + base + L"\\missing.c");
    // Files before the last wait in their tabs and are read when first shown.
    EXPECT_EQ(one->view->Call(SCI_GETLENGTH), 0);
    Tabs()->Activate(Tabs()->IndexOf(one), true);
    EXPECT_EQ(test::DocumentWithPath(base + L"\\one.c")->view->Call(SCI_GETLENGTH), 10);
}

void HandOverTo(HWND window, const std::wstring& directory, const std::wstring& commandLine) {
    std::vector<unsigned char> block = BuildHandOverBlock(directory, commandLine);
    COPYDATASTRUCT data{0, static_cast<DWORD>(block.size()), block.data()};
    ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// A file held open by another program without sharing, a folder, a name Windows refuses and a
// Unix path (a switch here): each is reported in the status bar and leaves no tab.
TEST_F(MainWindowTest, HandedOverNamesThatCannotBeOpenedAreReported) {
    const std::wstring locked = folder_.File(L"locked.c");
    test::WriteFileBytes(locked, "int locked;\r\n");
    unique_hfile holder(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ::CreateDirectoryW(folder_.File(L"folder").c_str(), nullptr);
    const int before = DocumentCount();
    for (const std::wstring& name : {locked, folder_.File(L"folder"), folder_.File(L"bad|name.c")}) {
        HandOverTo(window_, folder_.Path(), L"kelpo.exe \"" + name + L"\"");
        EXPECT_EQ(DocumentCount(), before);
        EXPECT_EQ(StatusText(kStatusMessage), L"Cannot open file: " + name);
    }
    HandOverTo(window_, folder_.Path(), L"kelpo.exe /home/me/x.c");
    EXPECT_EQ(DocumentCount(), before);
    EXPECT_EQ(StatusText(kStatusMessage), L"Unknown switch ignored: /home/me/x.c");
    // Among other files the locked one is refused at once too, and the last file that opened is shown.
    test::WriteFileBytes(folder_.File(L"a.c"), "a");
    test::WriteFileBytes(folder_.File(L"b.c"), "b");
    HandOverTo(window_, folder_.Path(), L"kelpo.exe a.c locked.c b.c");
    EXPECT_EQ(DocumentCount(), before + 2);
    EXPECT_EQ(LastStatusMessage(), L"Cannot open file: " + locked);
    EXPECT_EQ(Tabs()->Active(), test::DocumentWithPath(folder_.File(L"b.c")));
}

// A file deleted while its tab waited to read it: the tab goes, and the line asked for is no
// other document's.
TEST_F(MainWindowTest, LineForAFileThatWentAwayMovesNoOtherCaret) {
    test::WriteFileBytes(folder_.File(L"gone.c"), "gone");
    test::WriteFileBytes(folder_.File(L"next.c"), "one\r\ntwo\r\n");
    HandOverTo(window_, folder_.Path(), L"kelpo.exe gone.c next.c");
    const int before = DocumentCount();
    ASSERT_TRUE(::DeleteFileW(folder_.File(L"gone.c").c_str()));
    HandOverTo(window_, folder_.Path(), L"kelpo.exe -line:2,3 gone.c");
    EXPECT_EQ(DocumentCount(), before - 1);
    EXPECT_EQ(test::DocumentWithPath(folder_.File(L"gone.c")), nullptr);
    const Document* next = test::DocumentWithPath(folder_.File(L"next.c"));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(test::CaretLineColumn(*next), std::make_pair(1, 1));
}

TEST_F(MainWindowTest, MalformedOrEmptyHandOverOpensNothingButShowsTheWindow) {
    const int before = DocumentCount();
    const wchar_t unterminated[] = {L'C', L':', L'\\', L'x', L'y'};
    COPYDATASTRUCT data{0, sizeof unterminated - sizeof(wchar_t), const_cast<wchar_t*>(unterminated)};
    ::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    ::ShowWindow(window_, SW_HIDE);
    COPYDATASTRUCT empty{};
    ::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&empty));
    EXPECT_EQ(DocumentCount(), before);
    EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(MainWindowTest, TrayIconHidesOnMinimiseAndTogglesOnClick) {
    App().settings.config1 |= kC1TrayIcon;
    ::SendMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(::IsWindowVisible(window_));
    EXPECT_FALSE(::IsIconic(window_));
    ::SendMessageW(window_, UM_TRAY_NOTIFY, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(::IsWindowVisible(window_));
    ::SendMessageW(window_, UM_TRAY_NOTIFY, 1, WM_LBUTTONDOWN);
    EXPECT_FALSE(::IsWindowVisible(window_));
    ::SendMessageW(window_, UM_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(window_));
}

}  // namespace
}  // namespace kelpo

namespace kelpo {
namespace {

RECT ChildRect(HWND window, HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(MainWindowTest, PanesAndTabsAreLaidOutWithSplitterGaps) {
    RECT client;
    ::GetClientRect(window_, &client);
    const RECT left = ChildRect(window_, App().shell.leftHost);
    const RECT tabs = ChildRect(window_, Tabs()->TabControl());
    const RECT status = ChildRect(window_, App().shell.statusBar);
    EXPECT_TRUE(::IsWindowVisible(App().shell.leftHost));
    EXPECT_FALSE(::IsWindowVisible(App().shell.bottomHost));
    EXPECT_EQ(left.right - left.left, 290);
    TCITEMW page{};
    page.mask = TCIF_IMAGE;
    ::SendMessageW(App().shell.bottomHost, TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.iImage, 23);  // the command icon of its toolbar button
    EXPECT_NE(::SendMessageW(App().shell.leftHost, TCM_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(tabs.left, 293);
    EXPECT_EQ(tabs.right, client.right);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(tabs.bottom, status.top);

    ::SendMessageW(window_, WM_COMMAND, 94, 0);  // the bottom pane with its first page
    const RECT bottom = ChildRect(window_, App().shell.bottomHost);
    const RECT tabsAbove = ChildRect(window_, Tabs()->TabControl());
    EXPECT_TRUE(::IsWindowVisible(App().shell.bottomHost));
    EXPECT_EQ(bottom.bottom - bottom.top, 200);
    EXPECT_EQ(tabsAbove.bottom, bottom.top - 3);
    EXPECT_EQ(bottom.left, 293);
}

TEST_F(MainWindowTest, SplitterDragsAreClampedAndSetThePaneBit) {
    const int y = 100;
    ::SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(291, y));
    ASSERT_EQ(::GetCapture(), window_);
    ::SendMessageW(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, y));
    ::SendMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    EXPECT_EQ(App().settings.leftTabWidth, 10);
    EXPECT_NE(::GetCapture(), window_);
    test::PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(ChildRect(window_, App().shell.leftHost).right, 10);

    // A hidden pane's splitter cannot be grabbed.
    ::SendMessageW(window_, WM_COMMAND, 88, 0);
    ::SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(11, y));
    EXPECT_NE(::GetCapture(), window_);
    ::SendMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(11, y));
}

TEST_F(MainWindowTest, HideAllPanesTwiceRestoresExactlyTheVisibleOnes) {
    ::SendMessageW(window_, WM_COMMAND, 95, 0);
    ASSERT_TRUE(App().settings.config1 & kC1BottomPane);
    ::SendMessageW(window_, WM_COMMAND, 88, 0);  // left pane off: only the bottom one is shown
    ::SendMessageW(window_, WM_COMMAND, 87, 0);
    EXPECT_FALSE(App().settings.config1 & (kC1LeftPane | kC1BottomPane));
    EXPECT_FALSE(::IsWindowVisible(App().shell.bottomHost));
    ::SendMessageW(window_, WM_COMMAND, 87, 0);
    EXPECT_TRUE(App().settings.config1 & kC1BottomPane);
    EXPECT_FALSE(App().settings.config1 & kC1LeftPane);
    EXPECT_TRUE(::IsWindowVisible(App().shell.bottomHost));
    EXPECT_EQ(GetBits(App().settings.config1, kC1BottomTabShift, 3), 1u);
}

TEST_F(MainWindowTest, EscapeLeavesFullScreenAndHidesTheBottomPane) {
    ::SendMessageW(window_, WM_COMMAND, 94, 0);
    ::SendMessageW(window_, WM_COMMAND, 98, 0);
    ASSERT_TRUE(App().fullScreen);
    EXPECT_EQ(::GetMenu(window_), nullptr);
    EXPECT_FALSE(::IsWindowVisible(App().shell.statusBar));
    ::SendMessageW(window_, WM_COMMAND, 88, 0);  // ignored in full screen
    EXPECT_TRUE(App().settings.config1 & kC1LeftPane);

    MSG escape{window_, WM_KEYDOWN, VK_ESCAPE, 0};
    ProcessMessage(App(), escape);
    EXPECT_FALSE(App().fullScreen);
    EXPECT_NE(::GetMenu(window_), nullptr);
    EXPECT_TRUE(::IsWindowVisible(App().shell.statusBar));
    EXPECT_FALSE(App().settings.config1 & kC1BottomPane);
    RECT rect;
    ::GetWindowRect(window_, &rect);
    EXPECT_EQ(rect.right - rect.left, 780);
}

TEST_F(MainWindowTest, StatusBarHasSevenMeasuredParts) {
    int edges[8] = {};
    const int parts = static_cast<int>(::SendMessageW(App().shell.statusBar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(parts, 7);
    for (int i = 1; i < 6; ++i) {
        EXPECT_GT(edges[i], edges[i - 1]);
    }
    EXPECT_EQ(edges[6], -1);
}

}  // namespace
}  // namespace kelpo

namespace kelpo {
namespace {

TEST_F(MainWindowTest, CommandsAndKeysReachTheActiveView) {
    BuildAccelerators(App());
    Document* document = Tabs()->Active();
    ASSERT_NE(document, nullptr);
    const EditorView& view = *document->view;
    const char text[] = "b\r\na\r\nb\r\na\r\nc\r\n";
    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text));
    view.Call(SCI_SELECTALL);
    ::SendMessageW(window_, WM_COMMAND, 53, 0);  // remove duplicate lines
    EXPECT_EQ(view.Text(), "b\r\na\r\nc\r\n");

    // Ctrl+U (upper case) through the accelerator table and the message loop.
    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("abc"));
    view.Call(SCI_SELECTALL);
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    MSG key{view.Window(), WM_KEYDOWN, 'U', 1};
    ProcessMessage(App(), key);
    BYTE none[256] = {};
    ::SetKeyboardState(none);
    test::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(view.Text(), "ABC");
    EXPECT_TRUE(document->modified);
}

}  // namespace
}  // namespace kelpo

namespace kelpo {
namespace {

TEST_F(MainWindowTest, StatusBarShowsTheActiveDocument) {
    const std::wstring path = folder_.File(L"accent.py");
    test::WriteFileBytes(path, "print('caf\xC3\xA9')\n");
    ASSERT_NE(OpenFileFromArgument(path), nullptr);
    EXPECT_EQ(StatusText(kStatusEncoding), L"UTF-8");
    EXPECT_EQ(StatusText(kStatusLineEnds), L"LF");
    EXPECT_EQ(StatusText(kStatusLanguage), L"Python");
    EXPECT_EQ(StatusText(kStatusCaret).rfind(L"Ln 1, Col 1", 0), 0u) << "caret text";
    ::SendMessageW(window_, WM_COMMAND, 550, 0);  // back to the untitled document
    EXPECT_EQ(StatusText(kStatusEncoding), L"ANSI");
    EXPECT_EQ(StatusText(kStatusLanguage), L"Text");
}

}  // namespace
}  // namespace kelpo

namespace kelpo {
namespace {

// A drop of these paths as the shell hands it to a window.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(MainWindowTest, DroppedFilesOpenUntilAFolder) {
    test::WriteFileBytes(folder_.File(L"one.txt"), "one");
    test::WriteFileBytes(folder_.File(L"two.txt"), "two");
    ::CreateDirectoryW(folder_.File(L"sub").c_str(), nullptr);
    const int before = DocumentCount();
    ::SendMessageW(window_, WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({folder_.File(L"one.txt"), folder_.File(L"sub"),
                                                      folder_.File(L"two.txt")})),
                   0);
    EXPECT_EQ(DocumentCount(), before + 1);
    EXPECT_NE(test::DocumentWithPath(folder_.File(L"one.txt")), nullptr);
    EXPECT_EQ(test::DocumentWithPath(folder_.File(L"two.txt")), nullptr);
}

TEST_F(MainWindowTest, ColourModeCommandsSetTheirBits) {
    ::SendMessageW(window_, WM_COMMAND, 186, 0);
    EXPECT_EQ(GetBits(App().settings.config2, kC2ColorModeShift, 2), 1u);
    ::SendMessageW(window_, WM_COMMAND, 187, 0);
    EXPECT_EQ(GetBits(App().settings.config2, kC2ColorModeShift, 2), 2u);
    ::SendMessageW(window_, WM_COMMAND, 185, 0);
    EXPECT_EQ(App().settings.config2, kConfig2Default);
}

}  // namespace
}  // namespace kelpo

namespace kelpo {
namespace {

// Logoff and shutdown send no WM_CLOSE: the process ends after WM_ENDSESSION.
TEST_F(MainWindowTest, EndOfTheWindowsSessionWritesWhatClosingWrites) {
    const std::wstring path = folder_.File(L"kept.c");
    test::WriteFileBytes(path, "int kept;\r\n");
    ASSERT_NE(OpenFileFromArgument(path), nullptr);
    const AppPaths& paths = App().paths;
    ASSERT_FALSE(test::FileExists(paths.settingsFile) || test::FileExists(paths.recentFile) ||
                 test::FileExists(paths.sessionFile));

    EXPECT_EQ(::SendMessageW(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);  // nothing to ask
    ::SendMessageW(window_, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused
    EXPECT_FALSE(test::FileExists(paths.sessionFile));

    ::SendMessageW(window_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(::IsWindow(window_));  // it goes with the process
    EXPECT_NE(test::ReadFileBytes(paths.sessionFile).find("kept.c"), std::string::npos);
    EXPECT_EQ(IniFile(paths.recentFile).ReadList(L"Files"), std::vector<std::wstring>{path});
    const IniFile settings(paths.settingsFile);
    EXPECT_EQ(settings.ReadInt(L"Config1", 0), 39883681);
    EXPECT_TRUE(settings.ReadWindowPos(L"WndPos").has_value());
}

LRESULT NotifyFromToolbar(HWND window, HWND toolbar, UINT code) {
    NMHDR header{toolbar, kMainToolbarId, code};
    return ::SendMessageW(window, WM_NOTIFY, kMainToolbarId, reinterpret_cast<LPARAM>(&header));
}

std::vector<int> ToolbarImages(HWND toolbar) {
    std::vector<int> images;
    for (int i = 0; i < static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)); ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & BTNS_SEP)) {
            images.push_back(button.iBitmap);
        }
    }
    return images;
}

// The main toolbar's owner draws its icons; the customising dialog gets the images it draws.
TEST_F(MainWindowTest, MainToolbarIconsAreDrawnByTheOwnerAndLentToTheCustomisingDialog) {
    HWND toolbar = App().shell.mainToolbar;
    std::vector<int> icons;
    for (const ToolbarButton& button : DefaultMainToolbar()) {
        if (button.command != 0) {
            icons.push_back(button.icon);
        }
    }
    EXPECT_EQ(ToolbarImages(toolbar), std::vector<int>(icons.size(), I_IMAGENONE));
    NotifyFromToolbar(window_, toolbar, TBN_BEGINADJUST);
    EXPECT_EQ(ToolbarImages(toolbar), icons);
    EXPECT_NE(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0), 0);
    NotifyFromToolbar(window_, toolbar, TBN_ENDADJUST);
    EXPECT_EQ(ToolbarImages(toolbar), std::vector<int>(icons.size(), I_IMAGENONE));
    NotifyFromToolbar(window_, toolbar, TBN_TOOLBARCHANGE);
    EXPECT_EQ(App().settings.mainToolbar, FormatToolbarButtons(DefaultMainToolbar()));

    // The icon of "New" drawn into a white button: coloured when enabled, grey when disabled.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 24, -24, 1, 32, BI_RGB};
    void* bits = nullptr;
    const unique_hbitmap button(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, button.get());
    const auto draw = [&](UINT state) {
        std::memset(bits, 0xFF, 24 * 24 * 4);
        NMTBCUSTOMDRAW custom{};
        custom.nmcd.hdr = {toolbar, kMainToolbarId, static_cast<UINT>(NM_CUSTOMDRAW)};
        custom.nmcd.hdc = dc;
        custom.nmcd.rc = {0, 0, 24, 24};
        custom.nmcd.lItemlParam = static_cast<LPARAM>(icons.front()) + 1;
        custom.nmcd.uItemState = state;
        for (DWORD stage : {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT}) {
            custom.nmcd.dwDrawStage = stage;
            ::SendMessageW(window_, WM_NOTIFY, kMainToolbarId, reinterpret_cast<LPARAM>(&custom));
        }
        ::GdiFlush();
        int changed = 0;
        int coloured = 0;
        for (int i = 0; i < 24 * 24; ++i) {
            const auto* pixel = static_cast<const std::uint8_t*>(bits) + i * 4;
            changed += pixel[0] != 0xFF || pixel[1] != 0xFF || pixel[2] != 0xFF;
            coloured += pixel[0] != pixel[1] || pixel[1] != pixel[2];
        }
        return std::pair{changed, coloured};
    };
    const auto [enabledChanged, enabledColoured] = draw(0);
    EXPECT_GT(enabledChanged, 50);
    EXPECT_GT(enabledColoured, 0);
    const auto [disabledChanged, disabledColoured] = draw(CDIS_DISABLED);
    EXPECT_GT(disabledChanged, 50);
    EXPECT_EQ(disabledColoured, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

struct FontSearch {
    HFONT font;
    std::vector<HWND> found;
};

BOOL CALLBACK CheckFont(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FontSearch*>(param);
    if (reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)) == search->font) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CheckFontInTree(HWND window, LPARAM param) {
    CheckFont(window, param);
    ::EnumChildWindows(window, CheckFont, param);
    return TRUE;
}

// Every window of this thread, children included, whose font is `font`.
std::vector<HWND> WindowsWithFont(HFONT font) {
    FontSearch search{font, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), CheckFontInTree, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The main window as on Windows 6.0 and later, where the interface font is made from the system's
// menu font (the other tests run with the stock font).
class InterfaceFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureWindowClasses());
        test::ResetAppState(folder_.Path());
        App().osMajor = 10;
        window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(test::PumpUntil([] { return !App().starting; }, 5s));
    }
    void TearDown() override {
        if (::IsWindow(window_)) {
            ::DestroyWindow(window_);
        }
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    TempFolder folder_;
    HWND window_ = nullptr;
};

TEST_F(InterfaceFontTest, ChoosingTheEditorFontLeavesEveryControlALiveFont) {
    ASSERT_TRUE(App().uiFont);
    const std::vector<HWND> holders = WindowsWithFont(App().uiFont.get());
    ASSERT_GE(holders.size(), 3u);  // the document tabs and the two pane hosts at least
    ChooseFontText(L"Consolas, 12");
    for (HWND holder : holders) {
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(holder, WM_GETFONT, 0, 0));
        EXPECT_EQ(font, App().uiFont.get());
        LOGFONTW described{};
        EXPECT_NE(::GetObjectW(font, sizeof described, &described), 0);
    }
}

}  // namespace
}  // namespace kelpo
