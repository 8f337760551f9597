// Encoding, line-end and indentation menus: built for the document, tracked, then applied.
#include "doc/format_menus.h"

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/handles.h"
#include "base/status_text.h"
#include "doc/backup_keeper.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

constexpr UINT kTitleItem = 100;

HMENU MenuWithTitle(const wchar_t* title) {
    HMENU menu = ::CreatePopupMenu();
    if (menu != nullptr) {
        ::AppendMenuW(menu, MF_STRING | MF_DISABLED | MF_GRAYED, kTitleItem, title);
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    return menu;
}

void AddChoice(HMENU menu, UINT id, std::wstring_view text, bool checked) {
    const std::wstring label(text);
    ::AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, label.c_str());
}

// The chosen identifier, or 0 when the menu was dismissed.
UINT TrackMenu(HMENU built, POINT screenPoint) {
    unique_hmenu menu(built);
    if (!menu) {
        return 0;
    }
    return static_cast<UINT>(::TrackPopupMenu(menu.get(),
                                              TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_BOTTOMALIGN,
                                              screenPoint.x, screenPoint.y, 0, App().mainWindow, nullptr));
}

bool ViewUsesTabs(const Document& document) { return document.view->Call(SCI_GETUSETABS) != 0; }

}  // namespace

HMENU BuildEncodingMenu(FileEncoding current) {
    HMENU menu = MenuWithTitle(L"Encoding");
    for (int value = 0; menu != nullptr && value <= static_cast<int>(FileEncoding::Utf16BeBom); ++value) {
        const auto encoding = static_cast<FileEncoding>(value);
        AddChoice(menu, static_cast<UINT>(value + 1), EncodingName(encoding), encoding == current);
    }
    return menu;
}

HMENU BuildLineEndMenu(LineEndMode current) {
    HMENU menu = MenuWithTitle(L"Line ends");
    for (int value = 0; menu != nullptr && value <= static_cast<int>(LineEndMode::Lf); ++value) {
        const auto mode = static_cast<LineEndMode>(value);
        AddChoice(menu, static_cast<UINT>(value + 1), LineEndName(mode), mode == current);
    }
    return menu;
}

HMENU BuildIndentationMenu(bool useTabs, int tabWidth) {
    HMENU menu = MenuWithTitle(L"Indentation");
    if (menu != nullptr) {
        AddChoice(menu, kIndentWithSpacesItem, IndentationText(false, tabWidth), !useTabs);
        AddChoice(menu, kIndentWithTabsItem, IndentationText(true, tabWidth), useTabs);
    }
    return menu;
}

bool ShowEncodingMenu(Document& document, POINT screenPoint) {
    const UINT chosen = TrackMenu(BuildEncodingMenu(document.encoding), screenPoint);
    return chosen >= 1 && chosen <= 5 && ChangeEncoding(document, static_cast<FileEncoding>(chosen - 1));
}

bool ShowLineEndMenu(Document& document, POINT screenPoint) {
    const UINT chosen = TrackMenu(BuildLineEndMenu(document.lineEnd), screenPoint);
    return chosen >= 1 && chosen <= 3 && ChangeLineEnds(document, static_cast<LineEndMode>(chosen - 1));
}

bool ShowIndentationMenu(Document& document, POINT screenPoint) {
    const int tabWidth = TabWidthOf(App().settings.config2);
    const UINT chosen = TrackMenu(BuildIndentationMenu(ViewUsesTabs(document), tabWidth), screenPoint);
    return (chosen == kIndentWithSpacesItem || chosen == kIndentWithTabsItem) &&
           ChangeIndentation(document, chosen == kIndentWithTabsItem);
}

bool ChangeEncoding(Document& document, FileEncoding encoding) {
    if (document.encoding == encoding) {
        return false;
    }
    document.encoding = encoding;
    document.formatChanged = true;
    document.modified = true;
    if (DocumentTabs* tabs = Tabs()) {
        tabs->UpdateTab(&document);
    }
    SetStatusText(kStatusEncoding, std::wstring(EncodingName(encoding)));
    NoteDocumentChanged(document);
    return true;
}

bool ChangeLineEnds(Document& document, LineEndMode mode) {
    const bool changed = document.lineEnd != mode;
    document.lineEnd = mode;
    if (changed) {
        // Like an encoding, a new line-end mode is a change of its own that undo does not take back.
        document.formatChanged = true;
        document.modified = true;
        if (DocumentTabs* tabs = Tabs()) {
            tabs->UpdateTab(&document);
        }
    }
    document.view->Call(SCI_SETEOLMODE, static_cast<int>(mode));
    document.view->Call(SCI_CONVERTEOLS, static_cast<int>(mode));
    SetStatusText(kStatusLineEnds, std::wstring(LineEndName(mode)));
    NoteDocumentChanged(document);
    return changed;
}

bool ChangeIndentation(Document& document, bool useTabs) {
    if (ViewUsesTabs(document) == useTabs) {
        return false;
    }
    document.view->Call(SCI_SETUSETABS, useTabs ? 1 : 0);
    SetStatusText(kStatusIndentation, IndentationText(useTabs, TabWidthOf(App().settings.config2)));
    return true;
}

std::wstring IndentationText(bool useTabs, int tabWidth) {
    return useTabs ? std::wstring(L"Tabs") : L"Spaces: " + std::to_wstring(tabWidth);
}

}  // namespace kelpo
