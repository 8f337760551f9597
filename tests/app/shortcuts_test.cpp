// Keyboard shortcuts through the real accelerator tables, the message loop and the menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <vector>

#include "app/message_loop.h"
#include "app/settings_store.h"
#include "app/shortcuts.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;

// Records the commands that accelerators send to it.
std::vector<int> g_commands;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_commands.push_back(LOWORD(wParam));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateRecorder() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KelpoTestRecorder";
        return ::RegisterClassW(&wc);
    }();
    return atom != 0 ? ::CreateWindowExW(0, L"KelpoTestRecorder", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr)
                     : nullptr;
}

// Presses a hot-key value (virtual key + Shift 1 / Ctrl 2 / Alt 4 in the high byte) into a table.
int CommandForKey(HACCEL table, HWND target, std::uint16_t key) {
    BYTE state[256] = {};
    const int modifiers = key >> 8;
    if (modifiers & 1) state[VK_SHIFT] = 0x80;
    if (modifiers & 2) state[VK_CONTROL] = 0x80;
    if (modifiers & 4) state[VK_MENU] = 0x80;
    ::SetKeyboardState(state);
    MSG message{target, static_cast<UINT>((modifiers & 4) ? WM_SYSKEYDOWN : WM_KEYDOWN),
                static_cast<WPARAM>(key & 0xFF), 1};
    g_commands.clear();
    ::TranslateAcceleratorW(target, table, &message);
    BYTE none[256] = {};
    ::SetKeyboardState(none);
    return g_commands.empty() ? 0 : g_commands.back();
}

class ShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetAppState(folder_.Path());
        recorder_ = CreateRecorder();
        ASSERT_NE(recorder_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(recorder_); }

    test::TempFolder folder_;
    HWND recorder_ = nullptr;
};

TEST_F(ShortcutsTest, EveryDefaultShortcutReachesItsCommand) {
    BuildAccelerators(App());
    ASSERT_TRUE(App().mainAccelerators);
    for (const ShortcutEntry& entry : DefaultShortcuts()) {
        EXPECT_EQ(CommandForKey(App().mainAccelerators.get(), recorder_, entry.key1), entry.command)
            << "key " << entry.key1;
    }
}

TEST_F(ShortcutsTest, StoredTableReplacesTheDefaultsWhole) {
    test::WriteFileBytes(App().paths.shortcutsFile, "[Shortcuts]\r\n8=0\r\n");
    BuildAccelerators(App());
    EXPECT_FALSE(App().mainAccelerators);  // no command has a key, not even the defaults
    ASSERT_EQ(CurrentShortcuts().size(), 1u);

    // A second key works as an accelerator too.
    test::WriteFileBytes(App().paths.shortcutsFile, "[Shortcuts]\r\n8=38928979\r\n");  // Ctrl+S, then Ctrl+R
    BuildAccelerators(App());
    EXPECT_EQ(CommandForKey(App().mainAccelerators.get(), recorder_, 0x253), 8);
    EXPECT_EQ(CommandForKey(App().mainAccelerators.get(), recorder_, 0x252), 8);
    EXPECT_EQ(CommandForKey(App().mainAccelerators.get(), recorder_, 0x24E), 0);  // Ctrl+N is gone

    // An emptied section brings the defaults back.
    SaveShortcuts(App(), {});
    BuildAccelerators(App());
    EXPECT_EQ(CurrentShortcuts().size(), DefaultShortcuts().size());
    EXPECT_EQ(CommandForKey(App().mainAccelerators.get(), recorder_, 0x24E), 2);
}

TEST_F(ShortcutsTest, FindKeysReachTheMainWindowWhileAModelessDialogHasTheFocus) {
    BuildAccelerators(App());
    HWND dialog = CreateRecorder();
    App().modeless = ModelessSlot{dialog, ModelessKind::Replace};
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    g_commands.clear();
    MSG message{dialog, WM_KEYDOWN, 'F', 1};
    ProcessMessage(App(), message);
    BYTE none[256] = {};
    ::SetKeyboardState(none);
    EXPECT_EQ(g_commands, std::vector<int>{141});
    App().modeless = ModelessSlot{};
    ::DestroyWindow(dialog);
}

TEST_F(ShortcutsTest, MenuShowsNormalisedKeyNames) {
    ASSERT_TRUE(test::EnsureWindowClasses());
    HWND window = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
    ASSERT_NE(window, nullptr);
    wchar_t text[256] = {};
    ::GetMenuStringW(::GetMenu(window), 8, text, 256, MF_BYCOMMAND);
    const std::wstring save = text;
    const std::size_t tab = save.find(L'\t');
    ASSERT_NE(tab, std::wstring::npos) << "no shortcut text";
    const std::wstring key = save.substr(tab + 1);
    EXPECT_EQ(key.substr(key.size() - 2), L"+S");
    EXPECT_TRUE(key[0] >= L'A' && key[0] <= L'Z');
    for (std::size_t i = 1; i + 2 < key.size(); ++i) {
        EXPECT_TRUE(key[i] >= L'a' && key[i] <= L'z') << "not normalised: " << i;
    }
    ::DestroyWindow(window);
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
}  // namespace kelpo
