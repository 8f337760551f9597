// Creation and destruction of an editor view, and its one-request search operations.
#include "lang/editor_view.h"

#include "lang/language_catalogue.h"

namespace kelpo {

std::unique_ptr<EditorView> EditorView::Create(HWND parent, int childId, bool visible) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    HWND window = ::CreateWindowExW(0, L"Scintilla", L"", style, 0, 0, 0, 0,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    return Adopt(window);
}

std::unique_ptr<EditorView> EditorView::Adopt(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    auto direct = reinterpret_cast<SciFnDirect>(::SendMessageW(window, SCI_GETDIRECTFUNCTION, 0, 0));
    const auto pointer = static_cast<sptr_t>(::SendMessageW(window, SCI_GETDIRECTPOINTER, 0, 0));
    if (direct == nullptr) {
        ::DestroyWindow(window);
        return nullptr;
    }
    return std::unique_ptr<EditorView>(new EditorView(window, direct, pointer));
}

EditorView::~EditorView() {
    // The window goes with its view record; WM_CLOSE on a child destroys it.
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    if (::IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
}

std::string EditorView::Text() const {
    const auto length = static_cast<std::size_t>(Call(SCI_GETLENGTH));
    std::string text(length + 1, '\0');
    Call(SCI_GETTEXT, length + 1, reinterpret_cast<sptr_t>(text.data()));
    text.resize(length);
    return text;
}

void EditorView::SetLanguageId(int id) { language_ = &LanguageAt(id); }

void EditorView::SetTarget(sptr_t start, sptr_t end) const { Call(SCI_SETTARGETRANGE, start, end); }

void EditorView::SetSearchFlags(int flags) const { Call(SCI_SETSEARCHFLAGS, flags); }

sptr_t EditorView::SearchInTarget(std::string_view text) const {
    // The length is passed, so the text needs no terminator and may hold NUL bytes.
    return Call(SCI_SEARCHINTARGET, text.size(), reinterpret_cast<sptr_t>(text.data()));
}

sptr_t EditorView::ReplaceTarget(std::string_view text, bool withGroups) const {
    return Call(withGroups ? SCI_REPLACETARGETRE : SCI_REPLACETARGET, text.size(),
                reinterpret_cast<sptr_t>(text.data()));
}

}  // namespace kelpo
