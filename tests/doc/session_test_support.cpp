// Shared pieces of the session and recent-list tests.
#include "session_test_support.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo::session_test {

using namespace std::chrono_literals;

std::string Utf16LeBytes(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(test::EnsureWindowClasses());
    ResetAppState(folder_.Path());
    window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(PumpUntil([] { return !App().starting; }, 5s));
    CloseAllTabs();
}

void MainWindowTest::TearDown() {
    if (::IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace kelpo::session_test
