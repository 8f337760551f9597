// One document's tree of symbols in the symbol pane, in one of three view modes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aids/tag_runner.h"

namespace kelpo {

struct Document;

enum class SymbolViewMode : int { Grouped = 0, Alphabetical = 1, ByLine = 2 };

// Group nodes carry this value; symbol items their line, beside the kind in the grouped mode.
inline constexpr LPARAM kGroupItemValue = -1;

// The line a tree item's value points to, or 0 for a group node.
std::uint32_t LineOfItemValue(LPARAM value);

class SymbolTree : public TagSink {
public:
    // A hidden tree-view child of the parent; nothing when the window cannot be made.
    static std::unique_ptr<SymbolTree> Create(HWND parent, HIMAGELIST images, SymbolViewMode mode,
                                              const Document* document);
    SymbolTree(const SymbolTree&) = delete;
    SymbolTree& operator=(const SymbolTree&) = delete;
    ~SymbolTree() override;

    HWND Window() const { return tree_; }
    SymbolViewMode Mode() const { return mode_; }
    void SetMode(SymbolViewMode mode) { mode_ = mode; }
    const Document* Owner() const { return document_; }

    // Adds one symbol where the view mode puts it.
    void Receive(const Symbol& symbol) override;
    // Shows these symbols as if a fresh tree had received them one by one. Only what differs from
    // the items shown is touched: after a save most items stay (the selection and the folding with
    // them) and at most their lines change, while a tree view removes and inserts items slowly.
    // Items put in are expanded.
    void Replace(const std::vector<Symbol>& symbols);
    bool Empty() const;
    // Every top-level item and, under it, every child.
    void ExpandAll(bool expand);
    // The label of an item; empty for none.
    std::wstring LabelOf(HTREEITEM item) const;
    // The first item in tree order whose label is the text; nullptr when there is none.
    HTREEITEM FindLabel(const std::wstring& label) const;
    // Selects the item (the first top-level one for nullptr) and scrolls it into view.
    void SelectAndShow(HTREEITEM item);

private:
    SymbolTree(HWND tree, SymbolViewMode mode, const Document* document)
        : tree_(tree), mode_(mode), document_(document) {}
    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const std::wstring& label, int image, LPARAM value);

    // One item as a fresh tree would hold it, and once shown, the tree's handle for it.
    struct PlannedItem {
        std::wstring label;
        int image;
        LPARAM value;
        std::uint32_t line;
        std::vector<PlannedItem> children;
        HTREEITEM item = nullptr;
    };
    std::vector<PlannedItem> Plan(const std::vector<Symbol>& symbols) const;
    // Makes the parent's children in the tree (shown, on entry) show the planned items; the
    // planned items receive their handles.
    void Update(HTREEITEM parent, std::vector<PlannedItem>& shown, std::vector<PlannedItem>& planned);
    void InsertAfter(HTREEITEM parent, HTREEITEM after, PlannedItem& planned);
    void SetValue(HTREEITEM item, LPARAM value);

    HWND tree_;
    SymbolViewMode mode_;
    const Document* document_;
    std::vector<Symbol> symbols_;       // what the tree shows, in arrival order
    std::vector<PlannedItem> shown_;    // the tree's items, top level first
};

}  // namespace kelpo
