// The floor of the session benchmark: a bare program that creates one editing-component window
// per file named in a list file, loads each file's text into its window (read whole, one
// SCI_ADDTEXT), shows the window of the first and says it is ready in its title.
// Usage: kelpo_session_floor LIST-FILE   (one path a line, UTF-8)
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "Scintilla.h"

namespace {

std::string ReadWhole(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
            read = 0;
        }
        bytes.resize(read);
    }
    ::CloseHandle(file);
    return bytes;
}

std::vector<std::wstring> ReadList(const std::wstring& listFile) {
    std::vector<std::wstring> paths;
    const std::string text = ReadWhole(listFile);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) {
            std::wstring wide(line.size(), L'\0');
            wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
                CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), static_cast<int>(wide.size()))));
            paths.push_back(wide);
        }
        start = end + 1;
    }
    return paths;
}

std::vector<HWND> g_views;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        for (HWND view : g_views) {
            ::MoveWindow(view, 0, 0, LOWORD(lParam), HIWORD(lParam), view == g_views.front());
        }
        return 0;
    case WM_DESTROY:
        for (HWND view : g_views) {
            ::DestroyWindow(view);
        }
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::vector<std::wstring> paths = count > 1 ? ReadList(argv[1]) : std::vector<std::wstring>{};
    ::LocalFree(argv);
    Scintilla_RegisterClasses(instance);
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KelpoSessionFloor";
    if (!::RegisterClassExW(&wc)) {
        return 1;
    }
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    for (const std::wstring& path : paths) {
        HWND view = ::CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 100, 100, window,
                                      nullptr, instance, nullptr);
        const std::string text = ReadWhole(path);
        ::SendMessageW(view, SCI_SETUNDOCOLLECTION, 0, 0);
        ::SendMessageW(view, SCI_ADDTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        ::SendMessageW(view, SCI_SETUNDOCOLLECTION, 1, 0);
        ::SendMessageW(view, SCI_SETSAVEPOINT, 0, 0);
        g_views.push_back(view);
    }
    if (!g_views.empty()) {
        ::ShowWindow(g_views.front(), SW_SHOW);
    }
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    ::SetWindowTextW(window, L"Floor ready");
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    Scintilla_ReleaseResources();
    return 0;
}
