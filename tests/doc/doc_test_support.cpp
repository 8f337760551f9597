// Pieces of the loading and saving tests.
#include "doc_test_support.h"

#include <winioctl.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "base/file_write.h"
#include "base/message_box.h"
#include "base/recent_lists.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_dialogs.h"

namespace kelpo::doc_test {

using namespace std::chrono_literals;

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

FILETIME LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void ShiftLastWriteTime(const std::wstring& path, int seconds) {
    FILETIME time = LastWriteTime(path);
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(seconds) * 10'000'000);
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ::SetFileTime(file, nullptr, nullptr, &time);
    ::CloseHandle(file);
}

void MakeSizedFile(const std::wstring& path, std::uint64_t size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
}


MessageCatcher::MessageCatcher(int fallback) : fallback_(fallback) {
    SetMessageHook([this](UINT flags, const std::wstring& text) {
        messages_.push_back({flags, text});
        if (answers_.empty()) {
            return fallback_;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

MessageCatcher::~MessageCatcher() { SetMessageHook(nullptr); }

std::string ViewText(const Document& document) { return document.view->Text(); }

void ReplaceViewText(Document& document, const std::string& text) {
    document.view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
    document.modified = true;
}



namespace {

struct SuiteWindow {
    TempFolder settingsFolder;
    HWND window = nullptr;
    Settings startSettings;
};

std::unique_ptr<SuiteWindow>& Suite() {
    static std::unique_ptr<SuiteWindow> suite;
    return suite;
}

}  // namespace

void MainWindowTest::SetUpTestSuite() {
    ASSERT_TRUE(EnsureWindowClasses());
    MessageCatcher startMessages;
    Suite() = std::make_unique<SuiteWindow>();
    ResetAppState(Suite()->settingsFolder.Path());
    Suite()->window = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
    ASSERT_NE(Suite()->window, nullptr);
    ASSERT_TRUE(PumpUntil([] { return !App().starting; }, 5s));
    Suite()->startSettings = App().settings;
}

void MainWindowTest::TearDownTestSuite() {
    if (Suite() && ::IsWindow(Suite()->window)) {
        CloseAllTabs();
        ::DestroyWindow(Suite()->window);
    }
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    Suite().reset();
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(Suite() && ::IsWindow(Suite()->window));
    window_ = Suite()->window;
    CloseAllTabs();
    App().settings = Suite()->startSettings;
    App().recent = RecentLists();
    messages_.Clear();
}

void MainWindowTest::TearDown() {
    SetWriteCall(nullptr);
    SetSaveDialogHook(nullptr);
    SetOpenDialogHook(nullptr);
    CloseAllTabs();
}

}  // namespace kelpo::doc_test
