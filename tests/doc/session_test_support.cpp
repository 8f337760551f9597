// Shared pieces of the session and recent-list tests.
#include "session_test_support.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>

#include "app/app_state.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"

namespace kelpo::session_test {

using namespace std::chrono_literals;

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"kelpo-session-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) {
            break;
        }
    }
    path_ += L'\\';
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-terminated list without the trailing backslash.
    std::wstring from = path_.substr(0, path_.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Utf16LeBytes(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void ResetAppState(const std::wstring& folder) {
    AppState& app = App();
    app.paths = MakeAppPaths(folder);
    app.settings = Settings{};
    app.recent = RecentLists();
    app.mainWindow = nullptr;
    app.starting = true;
    app.created = false;
    app.fullScreen = false;
    app.modeless = ModelessSlot{};
    app.instance = ::GetModuleHandleW(nullptr);
}

namespace {

// Other tests of this program may have registered the classes already.
bool EnsureWindowClasses() {
    WNDCLASSEXW existing{sizeof existing};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), L"KelpoWindow", &existing)) {
        return true;
    }
    return PrepareWindowClasses(::GetModuleHandleW(nullptr));
}

}  // namespace

void MainWindowTest::SetUp() {
    ASSERT_TRUE(EnsureWindowClasses());
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
