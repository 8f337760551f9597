// Shared pieces of the shell tests.
#include "test_support.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "app/app_state.h"
#include "app/startup.h"
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
    app.paths = MakeAppPaths(folder);
    app.settings = Settings{};
    app.mainWindow = nullptr;
    app.starting = true;
    app.created = false;
    app.fullScreen = false;
    app.modeless = ModelessSlot{};
    app.instance = ::GetModuleHandleW(nullptr);
}

}  // namespace kelpo::test
