// Shared pieces of the editor view tests: bare views of the real editing component, scratch
// folders, a parent window with document tabs, and the theme stores put back to a known state.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "lang/editor_view.h"
#include "support/test_support.h"

namespace kelpo::viewtest {

// Registers the editing component's window classes in this process once.
bool EnsureEditingComponent();

// A top-level window of the editing component, wrapped as an editor view, with the defaults of
// a new document (no language applied yet).
std::unique_ptr<EditorView> NewBareView();
// The same, set up for editing and holding `text`.
std::unique_ptr<EditorView> NewViewWithText(std::string_view text);

using test::TempFolder;

void WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The program's settings back at their first-start values, its files in `folder`.
void ResetSettings(const std::wstring& folder);

// The theme stores filled from the source tree's built-in theme, with reset.
bool LoadSourceBuiltinTheme();
// Empties the catalogue's style slots again, so tests that run later find them as at start.
void ForgetLoadedTheme();

// A parent window that holds document tabs as the main window does, for the whole-window flows.
// The tabs are removed again with the window at the end of the scope.
class TabsWindow {
public:
    TabsWindow();
    TabsWindow(const TabsWindow&) = delete;
    TabsWindow& operator=(const TabsWindow&) = delete;
    ~TabsWindow();

    bool Ready() const { return window_ != nullptr; }
    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Style attributes as the component reports them.
sptr_t StyleFore(const EditorView& view, int style);
sptr_t StyleBack(const EditorView& view, int style);
bool StyleBold(const EditorView& view, int style);
int StyleSize(const EditorView& view, int style);
// The style of the first character of the first occurrence of `word` in the view's text.
int StyleOfWord(const EditorView& view, std::string_view word);

// #RRGGBB as the component stores it (red in the low byte).
constexpr sptr_t Colour(unsigned rrggbb) {
    return static_cast<sptr_t>(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16));
}

}  // namespace kelpo::viewtest
