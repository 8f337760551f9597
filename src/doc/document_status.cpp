// Status-bar parts for the active document.
#include "doc/document_status.h"

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/status_text.h"
#include "doc/document_tabs.h"
#include "doc/format_menus.h"
#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

std::wstring CaretText(const EditorView& view) {
    const sptr_t caret = view.Call(SCI_GETCURRENTPOS);
    const sptr_t anchor = view.Call(SCI_GETANCHOR);
    const int line = static_cast<int>(view.Call(SCI_LINEFROMPOSITION, caret)) + 1;
    const int column = static_cast<int>(view.Call(SCI_GETCOLUMN, caret)) + 1;
    const sptr_t start = std::min(caret, anchor);
    const sptr_t end = std::max(caret, anchor);
    const int selected = static_cast<int>(view.Call(SCI_COUNTCHARACTERS, start, end));
    const int selectedLines = start == end ? 0
                                           : static_cast<int>(view.Call(SCI_LINEFROMPOSITION, end) -
                                                              view.Call(SCI_LINEFROMPOSITION, start)) + 1;
    wchar_t text[128] = {};
    ::wsprintfW(text, kCaretFormat, line, column, selected, selectedLines);
    return text;
}

}  // namespace

void ShowDocumentStatus(const Document& document) {
    const EditorView& view = *document.view;
    SetStatusText(kStatusCaret, CaretText(view));
    SetStatusText(kStatusLineEnds, std::wstring(LineEndName(document.lineEnd)));
    SetStatusText(kStatusEncoding, std::wstring(EncodingName(document.encoding)));
    SetStatusText(kStatusIndentation,
                  IndentationText(view.Call(SCI_GETUSETABS) != 0, static_cast<int>(view.Call(SCI_GETTABWIDTH))));
    SetStatusText(kStatusMode, view.Call(SCI_GETOVERTYPE) ? L"OVR" : L"INS");
    SetStatusText(kStatusLanguage, LanguageAt(view.LanguageId()).displayName);
}

bool OnStatusBarClick(const NMMOUSE& click) {
    Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr) {
        return false;
    }
    POINT point = click.pt;
    ::ClientToScreen(click.hdr.hwndFrom, &point);
    bool changed = false;
    switch (click.dwItemSpec) {
    case kStatusLineEnds:
        changed = ShowLineEndMenu(*active, point);
        break;
    case kStatusEncoding:
        changed = ShowEncodingMenu(*active, point);
        break;
    case kStatusIndentation:
        changed = ShowIndentationMenu(*active, point);
        break;
    default:
        return false;
    }
    if (changed) {
        Tabs()->UpdateTab(active);
        ShowDocumentStatus(*active);
    }
    return true;
}

}  // namespace kelpo
