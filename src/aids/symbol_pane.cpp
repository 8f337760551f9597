// The symbol pane owns the trees; the page's handler sizes the shown tree, turns selection changes
// into go-to-line requests and offers the context menu. A tree is filled when it is first seen:
// with the Symbols page out of sight, opening files runs no ctags.
#include "aids/symbol_pane.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "aids/go_to_symbol_dialog.h"
#include "aids/symbol_images.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/pane_page.h"
#include "base/status_message.h"
#include "base/window_messages.h"
#include "doc/document.h"
#include "doc/document_tabs.h"

namespace kelpo {
namespace {

// Posted to the page when it paints with an unfilled tree shown: the tree is being seen.
constexpr UINT kFillShownTree = WM_APP + 1;

struct TreeEntry {
    const Document* document;
    std::unique_ptr<SymbolTree> tree;
    bool filled = false;  // ctags has run for the file
};

struct SymbolPane {
    HWND page = nullptr;
    bool refreshing = false;  // selection changes while a tree is rebuilt do not navigate
    HIMAGELIST images = nullptr;
    SymbolTree* shown = nullptr;
    std::vector<TreeEntry> trees;
};

SymbolPane& Pane() {
    static SymbolPane pane;
    return pane;
}

SymbolViewMode StoredMode() {
    const std::uint32_t bits = GetBits(App().settings.config1, kC1SymbolViewShift, 2);
    return bits <= 2 ? static_cast<SymbolViewMode>(bits) : SymbolViewMode::ByLine;
}

int LanguageOf(const Document& document) { return document.view ? document.view->LanguageId() : 0; }

// The tree shows the file's symbols, or nothing when ctags failed, which the status bar then tells.
void Fill(SymbolTree& tree, const Document& document) {
    const std::optional<std::vector<Symbol>> symbols = CollectTags(document.path, LanguageOf(document));
    if (!symbols) ShowStatusMessage(L"Failure to parse.");
    tree.Replace(symbols ? *symbols : std::vector<Symbol>());
}

void FitShownTree() {
    SymbolPane& pane = Pane();
    if (pane.shown == nullptr) return;
    RECT area{};
    ::GetClientRect(pane.page, &area);
    ::MoveWindow(pane.shown->Window(), 0, 0, area.right, area.bottom, TRUE);
}

void Rebuild(SymbolTree& tree, const Document& document) {
    SymbolPane& pane = Pane();
    pane.refreshing = true;
    HCURSOR oldCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    ::SendMessageW(tree.Window(), WM_SETREDRAW, FALSE, 0);
    const std::wstring selected = tree.LabelOf(TreeView_GetSelection(tree.Window()));
    Fill(tree, document);
    tree.ExpandAll(true);
    HTREEITEM again = selected.empty() ? nullptr : tree.FindLabel(selected);
    if (again != nullptr) tree.SelectAndShow(again);
    ::SendMessageW(tree.Window(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree.Window(), nullptr, TRUE);
    ::SetCursor(oldCursor);
    pane.refreshing = false;
}

TreeEntry* EntryOf(const Document& document) {
    for (TreeEntry& entry : Pane().trees) {
        if (entry.document == &document) return &entry;
    }
    return nullptr;
}

TreeEntry* ShownEntry() {
    for (TreeEntry& entry : Pane().trees) {
        if (entry.tree.get() == Pane().shown) return &entry;
    }
    return nullptr;
}

// Runs ctags for the shown tree unless it has run: the tree is about to be seen.
void FillShownTree() {
    SymbolPane& pane = Pane();
    TreeEntry* entry = ShownEntry();
    if (entry == nullptr || entry->filled) return;
    entry->filled = true;
    SymbolTree& tree = *entry->tree;
    pane.refreshing = true;
    ::SendMessageW(tree.Window(), WM_SETREDRAW, FALSE, 0);
    Fill(tree, *entry->document);
    tree.SelectAndShow(nullptr);
    ::SendMessageW(tree.Window(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree.Window(), nullptr, TRUE);
    pane.refreshing = false;
}

void OnSelectionChanged(const NMTREEVIEWW& change) {
    if (Pane().refreshing || change.action == TVC_UNKNOWN || change.itemNew.hItem == nullptr) return;
    if (change.itemNew.lParam == kGroupItemValue) return;
    ::PostMessageW(App().mainWindow, UM_GOTO_LINE, 0, static_cast<LPARAM>(LineOfItemValue(change.itemNew.lParam)));
}

void ShowContextMenu(HWND page) {
    SymbolTree* tree = Pane().shown;
    const bool usable = tree != nullptr && !tree->Empty();
    const UINT enabled = usable ? MF_ENABLED : MF_GRAYED;
    const HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) return;
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuGrouped, L"&Grouped");
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuAlphabetical, L"&Alphabetical");
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuByLine, L"By &line");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuCollapse, L"&Collapse all");
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuExpand, L"&Expand all");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | enabled, kSymbolMenuGoToSymbol, L"Go to &Symbol...");
    if (usable) {
        const int current = kSymbolMenuGrouped + static_cast<int>(tree->Mode());
        ::CheckMenuRadioItem(menu, kSymbolMenuGrouped, kSymbolMenuByLine, current, MF_BYCOMMAND);
    }
    POINT at{};
    ::GetCursorPos(&at);
    const int command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, page, nullptr);
    ::DestroyMenu(menu);
    if (command != 0) RunSymbolMenuCommand(command);
}

LRESULT PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR) {
    try {
        switch (message) {
        case WM_SIZE:
            FitShownTree();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (Pane().shown == nullptr || header->hwndFrom != Pane().shown->Window()) break;
            if (header->code == TVN_SELCHANGEDW) {
                OnSelectionChanged(*reinterpret_cast<const NMTREEVIEWW*>(lParam));
                return 0;
            }
            if (header->code == NM_RCLICK) {
                ShowContextMenu(page);
                return TRUE;
            }
            break;
        }
        case WM_PAINT:
            // Seen without the page having been shown (the pane was): filled after this paint.
            if (const TreeEntry* entry = ShownEntry(); entry != nullptr && !entry->filled) {
                ::PostMessageW(page, kFillShownTree, 0, 0);
            }
            break;
        case WM_SHOWWINDOW:
            if (wParam) FillShownTree();
            break;
        case kFillShownTree:
            FillShownTree();
            return 0;
        case WM_CONTEXTMENU:
            ShowContextMenu(page);
            return 0;
        case WM_NCDESTROY: {
            // The trees' windows went with the page; the records follow.
            SymbolPane& pane = Pane();
            pane.shown = nullptr;
            pane.trees.clear();
            if (pane.images != nullptr) ::ImageList_Destroy(pane.images);
            pane.images = nullptr;
            pane.page = nullptr;
            break;
        }
        default:
            break;
        }
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return 0;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

void Show(SymbolTree* tree) {
    SymbolPane& pane = Pane();
    pane.shown = tree;
    FitShownTree();
    for (const TreeEntry& entry : pane.trees) {
        ::ShowWindow(entry.tree->Window(), entry.tree.get() == tree ? SW_SHOW : SW_HIDE);
    }
    if (::IsWindowVisible(pane.page)) FillShownTree();
}

}  // namespace

bool CreateSymbolPane(HWND page) {
    SymbolPane& pane = Pane();
    pane.images = CreateSymbolImages();
    if (page == nullptr || pane.images == nullptr || !SetPanePageHandler(page, PageProc)) {
        return false;
    }
    pane.page = page;
    return true;
}

SymbolTree* SymbolTreeOf(const Document& document) {
    for (const TreeEntry& entry : Pane().trees) {
        if (entry.document == &document) return entry.tree.get();
    }
    return nullptr;
}

SymbolTree* ShownSymbolTree() { return Pane().shown; }

HIMAGELIST SymbolImages() { return Pane().images; }

void AddDocumentSymbols(Document& document) {
    SymbolPane& pane = Pane();
    if (pane.page == nullptr || !document.HasPath() || SymbolTreeOf(document) != nullptr) return;
    std::unique_ptr<SymbolTree> tree = SymbolTree::Create(pane.page, pane.images, StoredMode(), &document);
    if (!tree) return;
    SymbolTree& made = *tree;
    pane.trees.push_back(TreeEntry{&document, std::move(tree)});
    if (Tabs() != nullptr && Tabs()->Active() == &document) Show(&made);
}

void RefreshDocumentSymbols(const Document& document) {
    const TreeEntry* entry = EntryOf(document);
    if (entry != nullptr && entry->filled) Rebuild(*entry->tree, document);
}

void ShowDocumentSymbols(const Document* document) {
    Show(document != nullptr ? SymbolTreeOf(*document) : nullptr);
}

void RemoveDocumentSymbols(const Document& document) {
    SymbolPane& pane = Pane();
    const auto found = std::find_if(pane.trees.begin(), pane.trees.end(),
                                    [&document](const TreeEntry& entry) { return entry.document == &document; });
    if (found == pane.trees.end()) return;
    if (pane.shown == found->tree.get()) pane.shown = nullptr;
    pane.trees.erase(found);
}

bool RunSymbolMenuCommand(int command) {
    SymbolTree* tree = Pane().shown;
    if (tree == nullptr || tree->Empty()) return false;
    switch (command) {
    case kSymbolMenuGrouped:
    case kSymbolMenuAlphabetical:
    case kSymbolMenuByLine: {
        const auto mode = static_cast<SymbolViewMode>(command - kSymbolMenuGrouped);
        tree->SetMode(mode);
        App().settings.config1 = SetBits(App().settings.config1, kC1SymbolViewShift, 2, static_cast<std::uint32_t>(mode));
        Rebuild(*tree, *tree->Owner());
        return true;
    }
    case kSymbolMenuCollapse:
    case kSymbolMenuExpand:
        tree->ExpandAll(command == kSymbolMenuExpand);
        return true;
    case kSymbolMenuGoToSymbol:
        ::SendMessageW(App().mainWindow, WM_COMMAND, kCmdGoToSymbol, 0);
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
