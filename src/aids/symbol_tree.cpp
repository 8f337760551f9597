// Filling a symbol tree: the symbols are put in the order of the view mode beside the tree, and the
// tree is brought to that order by touching only the items that differ.
#include "aids/symbol_tree.h"

#include <algorithm>
#include <cwchar>
#include <map>

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

void SymbolTree::Receive(const Symbol& symbol) {
    std::vector<Symbol> symbols = symbols_;
    symbols.push_back(symbol);
    Replace(symbols);
}

std::vector<SymbolTree::PlannedItem> SymbolTree::Plan(const std::vector<Symbol>& symbols) const {
    std::vector<PlannedItem> items;
    if (mode_ == SymbolViewMode::Grouped) {
        std::map<std::string, std::size_t> groupIndex;
        for (const Symbol& symbol : symbols) {
            const std::string key = GroupKey(symbol);
            const auto [found, added] = groupIndex.emplace(key, items.size());
            if (added) items.push_back({Widen(key), GroupImage(symbol), kGroupItemValue, 0, {}});
            items[found->second].children.push_back(
                {Widen(symbol.name), KindImage(symbol.kind), GroupedValue(symbol), symbol.line, {}});
        }
        return items;
    }
    for (const Symbol& symbol : symbols) {
        items.push_back({SortedLabel(symbol), KindImage(symbol.kind), static_cast<LPARAM>(symbol.line), symbol.line,
                         {}});
    }
    // A stable sort keeps equal keys in their arrival order, as single insertions would.
    if (mode_ == SymbolViewMode::ByLine) {
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return _wcsicmp(a.label.c_str(), b.label.c_str()) < 0; });
    }
    return items;
}

void SymbolTree::SetValue(HTREEITEM item, LPARAM value) {
    TVITEMW change{};
    change.mask = TVIF_PARAM;
    change.hItem = item;
    change.lParam = value;
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

// Children go in before their parent is expanded: items under a folded parent cost the tree
// view no recount of the visible ones.
void SymbolTree::InsertAfter(HTREEITEM parent, HTREEITEM after, PlannedItem& planned) {
    planned.item = Insert(parent, after, planned.label, planned.image, planned.value);
    if (planned.item == nullptr) return;
    HTREEITEM last = TVI_FIRST;
    for (PlannedItem& child : planned.children) {
        InsertAfter(planned.item, last, child);
        if (child.item != nullptr) last = child.item;
    }
    if (!planned.children.empty()) ::SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(planned.item));
}

// The items alike at both ends stay; those between are removed and the planned ones put in their
// place. An edit usually changes one run of items, so this touches little besides the lines.
void SymbolTree::Update(HTREEITEM parent, std::vector<PlannedItem>& shown, std::vector<PlannedItem>& planned) {
    const auto alike = [](const PlannedItem& a, const PlannedItem& b) {
        return a.image == b.image && a.label == b.label;
    };
    std::size_t head = 0;
    while (head < shown.size() && head < planned.size() && alike(shown[head], planned[head])) ++head;
    std::size_t tail = 0;
    while (tail < shown.size() - head && tail < planned.size() - head &&
           alike(shown[shown.size() - 1 - tail], planned[planned.size() - 1 - tail])) {
        ++tail;
    }
    const auto keep = [&](PlannedItem& was, PlannedItem& now) {
        now.item = was.item;
        if (was.value != now.value) SetValue(now.item, now.value);
        Update(now.item, was.children, now.children);
    };
    for (std::size_t n = 0; n < head; ++n) keep(shown[n], planned[n]);
    for (std::size_t n = 0; n < tail; ++n) keep(shown[shown.size() - 1 - n], planned[planned.size() - 1 - n]);
    for (std::size_t n = head; n < shown.size() - tail; ++n) {
        ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(shown[n].item));
    }
    HTREEITEM after = head > 0 ? planned[head - 1].item : TVI_FIRST;
    for (std::size_t n = head; n < planned.size() - tail; ++n) {
        InsertAfter(parent, after, planned[n]);
        if (planned[n].item != nullptr) after = planned[n].item;
    }
}

void SymbolTree::Replace(const std::vector<Symbol>& symbols) {
    std::vector<PlannedItem> planned = Plan(symbols);
    Update(TVI_ROOT, shown_, planned);
    shown_ = std::move(planned);
    symbols_ = symbols;
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
