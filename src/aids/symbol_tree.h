// One document's tree of symbols in the symbol pane, in one of three view modes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
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
    // Empties the tree and shows these symbols as if it had received them one by one. The items
    // are put in order first and each appended: a tree view places an item at its end much faster
    // than among the others.
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
    HTREEITEM GroupFor(const Symbol& symbol);
    void InsertSorted(const Symbol& symbol);

    // One item as Replace places it, with what the single insertions keep about it.
    struct PlannedItem {
        std::wstring label;
        int image;
        LPARAM value;
        std::uint32_t line;
        std::string groupKey;  // grouped mode, top level
        std::vector<PlannedItem> children;
    };
    std::vector<PlannedItem> Plan(const std::vector<Symbol>& symbols) const;
    void Apply(HTREEITEM parent, const std::vector<PlannedItem>& items);

    // A top-level item of the sorted modes with what it is ordered by.
    struct SortedItem {
        std::uint32_t line;
        std::wstring label;
        HTREEITEM item;
    };

    HWND tree_;
    SymbolViewMode mode_;
    const Document* document_;
    std::vector<SortedItem> sorted_;            // in tree order
    std::map<std::string, HTREEITEM> groups_;  // grouped mode: label bytes to group node
};

}  // namespace kelpo
