// Pieces of the loading and saving tests.
#include "doc_test_support.h"

#include <winioctl.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_dialogs.h"
#include "doc/file_write.h"
#include "doc/recent_lists.h"

namespace kelpo::doc_test {

using namespace std::chrono_literals;

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"kelpo-doc-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) {
            break;
        }
    }
    path_ += L'\\';
}

namespace {

// Removed by hand: the shell's file operation takes a second each time under Wine.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L'\\');
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files too
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::~TempFolder() { RemoveTree(path_); }

std::vector<std::wstring> TempFolder::Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path_ + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::wstring& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

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

// Other test files of this program register the same classes; once is enough.
bool EnsureWindowClasses() {
    WNDCLASSEXW existing{sizeof(WNDCLASSEXW)};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), L"KelpoWindow", &existing)) {
        return true;
    }
    return PrepareWindowClasses(::GetModuleHandleW(nullptr));
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

}  // namespace

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
    fprintf(stderr, "DBG window=%p err=%lu left=%p bottom=%p tabs=%p status=%p\n", (void*)Suite()->window, ::GetLastError(), (void*)App().shell.leftHost, (void*)App().shell.bottomHost, (void*)Tabs(), (void*)App().shell.statusBar);
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
