// Filling a symbol tree. The sorted modes keep a copy of the top-level order beside the tree, so
// each symbol finds its place by a binary search instead of walking the tree's items.
#include "aids/symbol_tree.h"

#include <algorithm>
#include <cwchar>

#include "base/text_convert.h"

namespace kelpo {
namespace {

constexpr int kClassImage = 2;
constexpr int kStructureImage = 3;
constexpr std::size_t kMaxLabelPart = 256;

std::wstring Widen(const std::string& ansi) {
    std::wstring wide = AnsiToWide(ansi);
    if (wide.size() > kMaxLabelPart) wide.resize(kMaxLabelPart);
    return wide;
}

std::wstring SortedLabel(const Symbol& symbol) {
    return symbol.scope ? Widen(*symbol.scope) + L"::" + Widen(symbol.name) : Widen(symbol.name);
}

// Scope and kind groups share the top level: a scope named like a kind joins that kind's group.
std::string GroupKey(const Symbol& symbol) {
    return symbol.scope ? *symbol.scope : std::string(KindName(symbol.kind));
}

int GroupImage(const Symbol& symbol) {
    if (!symbol.scope) return KindImage(symbol.kind);
    return symbol.scope->starts_with('_') ? kStructureImage : kClassImage;
}

LPARAM GroupedValue(const Symbol& symbol) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(symbol.kind) << 24) | symbol.line);
}

}  // namespace

std::uint32_t LineOfItemValue(LPARAM value) {
    return value == kGroupItemValue ? 0 : static_cast<std::uint32_t>(value) & kMaxSymbolLine;
}

std::unique_ptr<SymbolTree> SymbolTree::Create(HWND parent, HIMAGELIST images, SymbolViewMode mode,
                                               const Document* document) {
    HWND tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"",
                                  WS_CHILD | WS_CLIPSIBLINGS | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS,
                                  0, 0, 0, 0, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (tree == nullptr) return nullptr;
    ::SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    ::SendMessageW(tree, WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    return std::unique_ptr<SymbolTree>(new SymbolTree(tree, mode, document));
}

SymbolTree::~SymbolTree() {
    if (::IsWindow(tree_)) ::DestroyWindow(tree_);
}

HTREEITEM SymbolTree::Insert(HTREEITEM parent, HTREEITEM after, const std::wstring& label, int image,
                             LPARAM value) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(label.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = value;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM SymbolTree::GroupFor(const Symbol& symbol) {
    const std::string key = GroupKey(symbol);
    if (const auto found = groups_.find(key); found != groups_.end()) return found->second;
    HTREEITEM group = Insert(TVI_ROOT, TVI_LAST, Widen(key), GroupImage(symbol), kGroupItemValue);
    if (group != nullptr) groups_.emplace(key, group);
    return group;
}

void SymbolTree::InsertSorted(const Symbol& symbol) {
    SortedItem entry{symbol.line, SortedLabel(symbol), nullptr};
    // Before the first greater item: equal ones keep their arrival order.
    const auto place = mode_ == SymbolViewMode::ByLine
                           ? std::upper_bound(sorted_.begin(), sorted_.end(), entry,
                                              [](const SortedItem& a, const SortedItem& b) { return a.line < b.line; })
                           : std::upper_bound(sorted_.begin(), sorted_.end(), entry,
                                              [](const SortedItem& a, const SortedItem& b) {
                                                  return _wcsicmp(a.label.c_str(), b.label.c_str()) < 0;
                                              });
    HTREEITEM after = place == sorted_.end() ? TVI_LAST : TVI_FIRST;
    if (place != sorted_.begin() && place != sorted_.end()) after = std::prev(place)->item;
    entry.item = Insert(TVI_ROOT, after, entry.label, KindImage(symbol.kind), static_cast<LPARAM>(symbol.line));
    if (entry.item != nullptr) sorted_.insert(place, std::move(entry));
}

void SymbolTree::Receive(const Symbol& symbol) {
    if (mode_ != SymbolViewMode::Grouped) {
        InsertSorted(symbol);
        return;
    }
    HTREEITEM group = GroupFor(symbol);
    if (group != nullptr) Insert(group, TVI_LAST, Widen(symbol.name), KindImage(symbol.kind), GroupedValue(symbol));
}

std::vector<SymbolTree::PlannedItem> SymbolTree::Plan(const std::vector<Symbol>& symbols) const {
    std::vector<PlannedItem> items;
    if (mode_ == SymbolViewMode::Grouped) {
        std::map<std::string, std::size_t> groupIndex;
        for (const Symbol& symbol : symbols) {
            const std::string key = GroupKey(symbol);
            const auto [found, added] = groupIndex.emplace(key, items.size());
            if (added) items.push_back({Widen(key), GroupImage(symbol), kGroupItemValue, 0, key, {}});
            items[found->second].children.push_back(
                {Widen(symbol.name), KindImage(symbol.kind), GroupedValue(symbol), symbol.line, {}, {}});
        }
        return items;
    }
    for (const Symbol& symbol : symbols) {
        items.push_back({SortedLabel(symbol), KindImage(symbol.kind), static_cast<LPARAM>(symbol.line), symbol.line,
                         {}, {}});
    }
    // A stable sort keeps equal keys in their arrival order, as single insertions do.
    if (mode_ == SymbolViewMode::ByLine) {
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return _wcsicmp(a.label.c_str(), b.label.c_str()) < 0; });
    }
    return items;
}

void SymbolTree::Apply(HTREEITEM parent, const std::vector<PlannedItem>& items) {
    for (const PlannedItem& planned : items) {
        HTREEITEM item = Insert(parent, TVI_LAST, planned.label, planned.image, planned.value);
        if (item == nullptr) return;
        if (parent == TVI_ROOT) {
            if (mode_ == SymbolViewMode::Grouped) {
                groups_.emplace(planned.groupKey, item);
            } else {
                sorted_.push_back({planned.line, planned.label, item});
            }
        }
        Apply(item, planned.children);
    }
}

void SymbolTree::Replace(const std::vector<Symbol>& symbols) {
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    sorted_.clear();
    groups_.clear();
    Apply(TVI_ROOT, Plan(symbols));
}

bool SymbolTree::Empty() const { return ::SendMessageW(tree_, TVM_GETCOUNT, 0, 0) == 0; }

void SymbolTree::ExpandAll(bool expand) {
    const WPARAM action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    for (HTREEITEM top = TreeView_GetRoot(tree_); top != nullptr; top = TreeView_GetNextSibling(tree_, top)) {
        ::SendMessageW(tree_, TVM_EXPAND, action, reinterpret_cast<LPARAM>(top));
        for (HTREEITEM child = TreeView_GetChild(tree_, top); child != nullptr;
             child = TreeView_GetNextSibling(tree_, child)) {
            ::SendMessageW(tree_, TVM_EXPAND, action, reinterpret_cast<LPARAM>(child));
        }
    }
}

std::wstring SymbolTree::LabelOf(HTREEITEM item) const {
    if (item == nullptr) return {};
    wchar_t text[600] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = static_cast<int>(std::size(text));
    if (!::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return {};
    return text;
}

HTREEITEM SymbolTree::FindLabel(const std::wstring& label) const {
    for (HTREEITEM top = TreeView_GetRoot(tree_); top != nullptr; top = TreeView_GetNextSibling(tree_, top)) {
        if (LabelOf(top) == label) return top;
        for (HTREEITEM child = TreeView_GetChild(tree_, top); child != nullptr;
             child = TreeView_GetNextSibling(tree_, child)) {
            if (LabelOf(child) == label) return child;
        }
    }
    return nullptr;
}

void SymbolTree::SelectAndShow(HTREEITEM item) {
    if (item == nullptr) item = TreeView_GetRoot(tree_);
    if (item == nullptr) return;
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

}  // namespace kelpo
