// Reads the selection or the caret's word from a view and converts it from UTF-8.
#include "lang/selection_text.h"

#include <algorithm>
#include <string>

#include "base/text_convert.h"

namespace kelpo {
namespace {

std::string TextRange(const EditorView& view, sptr_t start, sptr_t end) {
    std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
    Sci_TextRangeFull range{{start, end}, text.data()};
    view.Call(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<sptr_t>(&range));
    text.resize(static_cast<std::size_t>(end - start));
    return text;
}

}  // namespace

std::optional<std::wstring> SelectionOrWordAtCaret(const EditorView& view, std::size_t capacity) {
    capacity = std::min(capacity, kMaxSelectionTextCapacity);
    if (!view.Call(SCI_GETSELECTIONEMPTY)) {
        const sptr_t start = view.Call(SCI_GETSELECTIONSTART);
        const sptr_t end = view.Call(SCI_GETSELECTIONEND);
        if (view.Call(SCI_LINEFROMPOSITION, start) != view.Call(SCI_LINEFROMPOSITION, end)) return std::nullopt;
        // Several selections come back joined, so the length is asked of the component itself.
        const auto length = static_cast<std::size_t>(view.Call(SCI_GETSELTEXT, 0, 0));
        if (length == 0 || length >= capacity) return std::nullopt;
        std::string text(length + 1, '\0');
        view.Call(SCI_GETSELTEXT, 0, reinterpret_cast<sptr_t>(text.data()));
        text.resize(std::min(length, text.find('\0')));
        return Utf8ToWide(text);
    }
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t start = view.Call(SCI_WORDSTARTPOSITION, caret, 1);
    const sptr_t end = view.Call(SCI_WORDENDPOSITION, caret, 1);
    if (end <= start || static_cast<std::size_t>(end - start) >= capacity) return std::nullopt;
    return Utf8ToWide(TextRange(view, start, end));
}

}  // namespace kelpo
