// The main window created in this process: title and class, start-up hand-over, commands,
// the usage dialog, the received command line and the settings written when it closes.
#include <gtest/gtest.h>

#include <chrono>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/command_line.h"
#include "app/hand_over.h"
#include "app/ini_file.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/resource_ids.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "doc/document_entry.h"
#include "test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureWindowClasses());
        test::ResetAppState(folder_.Path());
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

TEST_F(MainWindowTest, IsTitledKelpoWithItsClassAndDefaultPlace) {
    wchar_t text[64] = {};
    ::GetWindowTextW(window_, text, 64);
    EXPECT_STREQ(text, L"Kelpo");
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

TEST_F(MainWindowTest, StartupCreatesOneEmptyDocumentWhenNothingWasOpened) {
    ASSERT_EQ(OpenRequests().size(), 1u);
    EXPECT_TRUE(OpenRequests()[0].path.empty());
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
    ClearOpenRequests();
    auto block = BuildHandOverBlock(L"C:\\base\\dir", L"\"C:\\Program Files\\kelpo.exe\" one.c -line:4,2 ..\\two.c "
                                                      L"D:\\abs.txt \\\\server\\share\\n.c");
    COPYDATASTRUCT data{0, static_cast<DWORD>(block.size()), block.data()};
    EXPECT_EQ(::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    const auto& requests = OpenRequests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].path, L"C:\\base\\dir\\one.c");
    EXPECT_EQ(requests[0].line, 0);
    EXPECT_EQ(requests[1].path, L"C:\\base\\two.c");
    EXPECT_EQ(requests[1].line, 4);
    EXPECT_EQ(requests[1].column, 2);
    EXPECT_EQ(requests[2].path, L"D:\\abs.txt");
    EXPECT_EQ(requests[3].path, L"\\\\server\\share\\n.c");
}

TEST_F(MainWindowTest, MalformedOrEmptyHandOverOpensNothingButShowsTheWindow) {
    ClearOpenRequests();
    const wchar_t unterminated[] = {L'C', L':', L'\\', L'x', L'y'};
    COPYDATASTRUCT data{0, sizeof unterminated - sizeof(wchar_t), const_cast<wchar_t*>(unterminated)};
    ::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    ::ShowWindow(window_, SW_HIDE);
    COPYDATASTRUCT empty{};
    ::SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&empty));
    EXPECT_TRUE(OpenRequests().empty());
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
