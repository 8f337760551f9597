// kelpo.exe started as a user starts it: first start, hand-over to a running instance from
// another folder, a second start without arguments, and several instances when allowed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;

// A copy of kelpo.exe in a folder of its own, so its settings files land there.
class InstalledCopy {
public:
    InstalledCopy() : exe_(folder_.File(L"kelpo.exe")) {
        const std::wstring built = test::ProgramFolder() + L"kelpo.exe";
        copied_ = ::CopyFileW(built.c_str(), exe_.c_str(), FALSE) != FALSE;
    }
    bool Ready() const { return copied_; }
    const TempFolder& Folder() const { return folder_; }

    // Starts it with the arguments from the given current directory.
    unique_handle Start(const std::wstring& arguments, const std::wstring& currentDirectory) const {
        std::wstring commandLine = L"\"" + exe_ + L"\" " + arguments;
        STARTUPINFOW startup{sizeof(STARTUPINFOW)};
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              currentDirectory.c_str(), &startup, &process)) {
            return unique_handle();
        }
        ::CloseHandle(process.hThread);
        return unique_handle(process.hProcess);
    }

private:
    TempFolder folder_;
    std::wstring exe_;
    bool copied_ = false;
};

bool HasExited(HANDLE process) { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

struct FoundWindow {
    DWORD processId;
    HWND window;
};

HWND MainWindowOf(HANDLE process) {
    FoundWindow found{::GetProcessId(process), nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<FoundWindow*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            ::GetClassNameW(window, name, 32);
            if (owner == search->processId && std::wstring(name) == L"KelpoWindow") {
                search->window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

void Finish(HANDLE process) {
    if (!HasExited(process)) {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
    }
}

TEST(KelpoProcess, FirstStartShowsDefaultWindowAndCloseWritesDefaults) {
    InstalledCopy copy;
    ASSERT_TRUE(copy.Ready());
    unique_handle process = copy.Start(L"", copy.Folder().Path());
    ASSERT_TRUE(process);
    HWND window = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (window = MainWindowOf(process.get())) != nullptr; }, 30s));
    ASSERT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 10s));

    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    EXPECT_STREQ(className, L"KelpoWindow");
    // Nothing to open and no session: the start ends with one empty document.
    EXPECT_TRUE(test::PumpUntil([&] { return test::WindowText(window) == L"Untitled 1 - Kelpo"; }, 10s))
        << "title: " << std::string(test::WindowText(window).begin(), test::WindowText(window).end());
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 780);
    EXPECT_EQ(rect.bottom - rect.top, 580);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 780) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 580) / 2 - 30);
    EXPECT_EQ(test::ReadFileBytes(copy.Folder().File(L"snippets.txt")).size(), 333u);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return HasExited(process.get()); }, 20s));
    DWORD exitCode = 99;
    ::GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

    const IniFile ini(copy.Folder().File(L"kelpo.ini"));
    EXPECT_EQ(ini.ReadInt(L"Config1", 0), 39883681);
    EXPECT_EQ(ini.ReadInt(L"Config2", 0), 117507140);
    const auto pos = ini.ReadWindowPos(L"WndPos");
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(pos->rect, (ScreenRect{rect.left, rect.top, rect.right, rect.bottom}));
    EXPECT_EQ(pos->showCmd, 1);
    Finish(process.get());
}

// The hand-over to a running instance whose thread does not take messages, as a hung one's,
// gives up instead of waiting for ever; to one that answers it goes through.
TEST(HandOverSend, GivesUpOnAnInstanceThatDoesNotAnswer) {
    unique_handle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    unique_handle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> blocked{nullptr};
    std::thread owner([&] {
        HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
        blocked = window;
        ::SetEvent(ready.get());
        ::WaitForSingleObject(release.get(), INFINITE);  // not reading its messages meanwhile
        ::DestroyWindow(window);
    });
    ASSERT_EQ(::WaitForSingleObject(ready.get(), 5000), WAIT_OBJECT_0);
    ASSERT_NE(blocked.load(), nullptr);
    COPYDATASTRUCT empty{};
    EXPECT_FALSE(SendHandOver(blocked, empty, 200));
    ::SetEvent(release.get());
    owner.join();

    HWND answering = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(SendHandOver(answering, empty, 200));
    ::DestroyWindow(answering);
}

// This process plays the running instance: it holds the mutex and a main window.
class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureWindowClasses());
        test::ResetAppState(home_.Path());
        instance_ = ApplySingleInstanceRule(false);
        ASSERT_FALSE(instance_.handedOver);
        window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(test::PumpUntil([] { return !App().starting; }, 5s));
        ASSERT_TRUE(copy_.Ready());
    }

    void TearDown() override {
        if (::IsWindow(window_)) {
            ::DestroyWindow(window_);
        }
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    // Starts the second instance and serves its hand-over until it has gone.
    void RunSecondStart(const std::wstring& arguments, const std::wstring& directory) {
        unique_handle process = copy_.Start(arguments, directory);
        ASSERT_TRUE(process);
        EXPECT_TRUE(test::PumpUntil([&] { return HasExited(process.get()); }, 30s));
        EXPECT_EQ(MainWindowOf(process.get()), nullptr);
        Finish(process.get());
    }

    TempFolder home_;
    TempFolder elsewhere_;
    InstalledCopy copy_;
    InstanceCheck instance_;
    HWND window_ = nullptr;
};

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + " of the file\r\n";
    }
    return text;
}

TEST_F(HandOverTest, SecondStartHandsItsFilesOverRelativeToItsOwnDirectory) {
    ::CreateDirectoryW(elsewhere_.File(L"sub").c_str(), nullptr);
    test::WriteFileBytes(elsewhere_.File(L"a.c"), NumberedLines(30));
    test::WriteFileBytes(elsewhere_.File(L"b.c"), NumberedLines(30));
    test::WriteFileBytes(elsewhere_.File(L"sub\\c.c"), NumberedLines(30));
    const int before = DocumentCount();
    RunSecondStart(L"a.c -line:10 b.c -line:20,5 sub\\c.c", elsewhere_.Path());
    ASSERT_EQ(DocumentCount(), before + 3);
    const Document* a = test::DocumentWithPath(elsewhere_.File(L"a.c"));
    const Document* b = test::DocumentWithPath(elsewhere_.File(L"b.c"));
    const Document* c = test::DocumentWithPath(elsewhere_.File(L"sub\\c.c"));
    ASSERT_TRUE(a != nullptr && b != nullptr && c != nullptr);
    EXPECT_EQ(test::CaretLineColumn(*a), std::make_pair(1, 1));
    EXPECT_EQ(test::CaretLineColumn(*b), std::make_pair(10, 1));
    EXPECT_EQ(test::CaretLineColumn(*c), std::make_pair(20, 5));
    EXPECT_EQ(Tabs()->Active(), c);
}

TEST_F(HandOverTest, SecondStartWithoutArgumentsOpensNothingAndShowsTheFirst) {
    ::ShowWindow(window_, SW_MINIMIZE);
    const int before = DocumentCount();
    RunSecondStart(L"", elsewhere_.Path());
    EXPECT_EQ(DocumentCount(), before);
    EXPECT_FALSE(::IsIconic(window_));
}

TEST_F(HandOverTest, SeveralInstancesAllowedStartsAWindowOfItsOwn) {
    IniFile(copy_.Folder().File(L"kelpo.ini")).WriteInt(L"Config1", static_cast<int>(kConfig1Default | kC1SeveralInstances));
    test::WriteFileBytes(elsewhere_.File(L"x.c"), NumberedLines(3));
    const int before = DocumentCount();
    unique_handle process = copy_.Start(L"x.c", elsewhere_.Path());
    ASSERT_TRUE(process);
    HWND second = nullptr;
    EXPECT_TRUE(test::PumpUntil([&] { return (second = MainWindowOf(process.get())) != nullptr; }, 30s));
    EXPECT_TRUE(test::PumpUntil([&] { return test::WindowText(second) == elsewhere_.File(L"x.c") + L" - Kelpo"; }, 10s));
    EXPECT_EQ(DocumentCount(), before);
    if (second != nullptr) {
        ::PostMessageW(second, WM_CLOSE, 0, 0);
        EXPECT_TRUE(test::PumpUntil([&] { return HasExited(process.get()); }, 20s));
    }
    Finish(process.get());
}

}  // namespace
}  // namespace kelpo
