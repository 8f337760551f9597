// Support of the editor view tests.
#include "view_test_support.h"

#include <shellapi.h>

#include <string>

#include "Scintilla.h"
#include "app/startup.h"
#include "base/app_paths.h"
#include "base/app_state.h"
#include "doc/document_tabs.h"
#include "lang/language_catalogue.h"
#include "lang/theme_store.h"
#include "lang/view_setup.h"

namespace kelpo::viewtest {

bool EnsureEditingComponent() {
    // The program's own classes include the editing component's and the tab bar's. Other tests
    // of this program may have registered the component already, so the classes are checked.
    static const bool prepared = PrepareWindowClasses(::GetModuleHandleW(nullptr)) || true;
    WNDCLASSEXW info{sizeof(WNDCLASSEXW)};
    return prepared && ::GetClassInfoExW(::GetModuleHandleW(nullptr), L"Scintilla", &info) &&
           ::GetClassInfoExW(::GetModuleHandleW(nullptr), L"TabCtrlEx", &info);
}

std::unique_ptr<EditorView> NewBareView() {
    if (!EnsureEditingComponent()) return nullptr;
    HWND window = ::CreateWindowExW(0, L"Scintilla", L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    return EditorView::Adopt(window);
}

std::unique_ptr<EditorView> NewViewWithText(std::string_view text) {
    std::unique_ptr<EditorView> view = NewBareView();
    if (!view) return view;
    SetUpViewForEditing(*view);
    view->Call(SCI_ADDTEXT, text.size(), reinterpret_cast<sptr_t>(text.data()));
    view->Call(SCI_SETUNDOCOLLECTION, 1);
    return view;
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

void ResetSettings(const std::wstring& folder) {
    AppState& app = App();
    app.paths = MakeAppPaths(folder);
    app.settings = Settings{};
    app.instance = ::GetModuleHandleW(nullptr);
}

bool LoadSourceBuiltinTheme() {
    const std::string path = KELPO_SOURCE_DIR "/res/theme/builtin_theme.xml";
    return LoadThemeFromPath(std::wstring(path.begin(), path.end()), true);
}

void ForgetLoadedTheme() { ClearLanguageStyleSlots(); }

TabsWindow::TabsWindow() {
    if (!EnsureEditingComponent()) return;
    window_ = ::CreateWindowExW(0, L"STATIC", L"tabs", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return;
    SetTabs(DocumentTabs::Create(window_));
    if (Tabs() == nullptr) {
        ::DestroyWindow(window_);
        window_ = nullptr;
    }
}

TabsWindow::~TabsWindow() {
    SetTabs(nullptr);
    if (window_ != nullptr) ::DestroyWindow(window_);
}

sptr_t StyleFore(const EditorView& view, int style) { return view.Call(SCI_STYLEGETFORE, style); }
sptr_t StyleBack(const EditorView& view, int style) { return view.Call(SCI_STYLEGETBACK, style); }
bool StyleBold(const EditorView& view, int style) { return view.Call(SCI_STYLEGETBOLD, style) != 0; }
int StyleSize(const EditorView& view, int style) { return static_cast<int>(view.Call(SCI_STYLEGETSIZE, style)); }

int StyleOfWord(const EditorView& view, std::string_view word) {
    const std::size_t at = view.Text().find(word);
    if (at == std::string::npos) return -1;
    return static_cast<int>(view.Call(SCI_GETSTYLEAT, at));
}

}  // namespace kelpo::viewtest
