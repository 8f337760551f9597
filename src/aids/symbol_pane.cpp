// The symbol pane owns the trees; the page is subclassed to size the shown tree, turn selection
// changes into go-to-line requests and offer the context menu.
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


struct SymbolPane {
    HWND page = nullptr;
    bool refreshing = false;  // selection changes while a tree is rebuilt do not navigate
    HIMAGELIST images = nullptr;
    SymbolTree* shown = nullptr;
    std::vector<std::pair<const Document*, std::unique_ptr<SymbolTree>>> trees;
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
    for (const auto& entry : pane.trees) {
        ::ShowWindow(entry.second->Window(), entry.second.get() == tree ? SW_SHOW : SW_HIDE);
    }
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
    for (const auto& entry : Pane().trees) {
        if (entry.first == &document) return entry.second.get();
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
    pane.trees.emplace_back(&document, std::move(tree));
    pane.refreshing = true;
    ::SendMessageW(made.Window(), WM_SETREDRAW, FALSE, 0);
    Fill(made, document);
    made.SelectAndShow(nullptr);
    ::SendMessageW(made.Window(), WM_SETREDRAW, TRUE, 0);
    pane.refreshing = false;
    if (Tabs() != nullptr && Tabs()->Active() == &document) Show(&made);
}

void RefreshDocumentSymbols(const Document& document) {
    if (SymbolTree* tree = SymbolTreeOf(document)) Rebuild(*tree, document);
}

void ShowDocumentSymbols(const Document* document) {
    Show(document != nullptr ? SymbolTreeOf(*document) : nullptr);
}

void RemoveDocumentSymbols(const Document& document) {
    SymbolPane& pane = Pane();
    const auto found = std::find_if(pane.trees.begin(), pane.trees.end(),
                                    [&document](const auto& entry) { return entry.first == &document; });
    if (found == pane.trees.end()) return;
    if (pane.shown == found->second.get()) pane.shown = nullptr;
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
