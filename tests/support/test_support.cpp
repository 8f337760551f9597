// Shared pieces of the shell tests.
#include "support/test_support.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "doc/document_tabs.h"

namespace kelpo::test {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"kelpo-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
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

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

const Document* DocumentWithPath(const std::wstring& path) {
    DocumentTabs* tabs = Tabs();
    const int index = tabs != nullptr ? tabs->FindByPath(path) : -1;
    return index >= 0 ? tabs->At(index) : nullptr;
}

std::pair<int, int> CaretLineColumn(const Document& document) {
    const EditorView& view = *document.view;
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    return {static_cast<int>(view.Call(SCI_LINEFROMPOSITION, caret)) + 1,
            static_cast<int>(view.Call(SCI_GETCOLUMN, caret)) + 1};
}

bool EnsureWindowClasses() {
    static const bool registered = PrepareWindowClasses(::GetModuleHandleW(nullptr));
    return registered;
}

void ResetAppState(const std::wstring& folder) {
    AppState& app = App();
    app = AppState{};
    app.paths = MakeAppPaths(folder);
    app.instance = ::GetModuleHandleW(nullptr);
}

void MainWindowFixture::SetUp() {
    ASSERT_TRUE(EnsureWindowClasses());
    ResetAppState(folder_.Path());
    window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(PumpUntil([] { return !App().starting; }, std::chrono::seconds(5)));
}

void MainWindowFixture::TearDown() {
    if (::IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace kelpo::test
