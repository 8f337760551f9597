// The symbol tree's three view modes: where each symbol lands, its label, picture and value.
#include "aids/symbol_tree.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace kelpo {
namespace {

Symbol MakeSymbol(SymbolKind kind, const char* name, const char* scope, std::uint32_t line) {
    Symbol symbol;
    symbol.kind = kind;
    symbol.name = name;
    if (scope != nullptr) symbol.scope = scope;
    symbol.line = line;
    return symbol;
}

// "label image value", children indented by two spaces, in tree order.
std::vector<std::string> Items(const SymbolTree& tree) {
    std::vector<std::string> items;
    HWND window = tree.Window();
    const auto describe = [&](HTREEITEM item, const char* indent) {
        TVITEMW query{};
        query.mask = TVIF_IMAGE | TVIF_PARAM;
        query.hItem = item;
        ::SendMessageW(window, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        std::string label;
        for (wchar_t c : tree.LabelOf(item)) label += static_cast<char>(c);
        items.push_back(indent + label + " " + std::to_string(query.iImage) + " " +
                        std::to_string(static_cast<long long>(query.lParam)));
    };
    for (HTREEITEM top = TreeView_GetRoot(window); top != nullptr; top = TreeView_GetNextSibling(window, top)) {
        describe(top, "");
        for (HTREEITEM child = TreeView_GetChild(window, top); child != nullptr;
             child = TreeView_GetNextSibling(window, child)) {
            describe(child, "  ");
        }
    }
    return items;
}

using SymbolTreeTest = test::MainWindowFixture;

TEST_F(SymbolTreeTest, EachModePlacesTheSymbolsInItsOrder) {
    using K = SymbolKind;
    const Symbol arrivals[] = {
        MakeSymbol(K::Function, "beta", nullptr, 30),     MakeSymbol(K::Class, "Alpha", nullptr, 10),
        MakeSymbol(K::Function, "foo", "Bar", 12),        MakeSymbol(K::Variable, "gamma", nullptr, 5),
        MakeSymbol(K::Macro, "dup", nullptr, 12),         MakeSymbol(K::Function, "alpha", nullptr, 40),
        MakeSymbol(K::Member, "m", "function", 50),       MakeSymbol(K::Member, "x", "_s", 3),
    };
    const int f = 1 << 24;  // the kind function in a grouped item's value
    const struct {
        SymbolViewMode mode;
        std::vector<std::string> items;
    } cases[] = {
        {SymbolViewMode::ByLine,  // equal lines keep their arrival order
         {"_s::x 1 3", "gamma 8 5", "Alpha 2 10", "Bar::foo 0 12", "dup 6 12", "beta 0 30", "alpha 0 40",
          "function::m 1 50"}},
        {SymbolViewMode::Alphabetical,  // without regard to case; equal labels keep their arrival order
         {"_s::x 1 3", "Alpha 2 10", "alpha 0 40", "Bar::foo 0 12", "beta 0 30", "dup 6 12", "function::m 1 50",
          "gamma 8 5"}},
        {SymbolViewMode::Grouped,  // a scope named like a kind joins the kind's group
         {"function 0 -1", "  beta 0 " + std::to_string(f + 30), "  alpha 0 " + std::to_string(f + 40),
          "  m 1 " + std::to_string((8 << 24) + 50), "class 2 -1", "  Alpha 2 " + std::to_string((3 << 24) + 10),
          "Bar 2 -1", "  foo 0 " + std::to_string(f + 12), "variable 8 -1",
          "  gamma 8 " + std::to_string((13 << 24) + 5), "macro 6 -1", "  dup 6 " + std::to_string((4 << 24) + 12),
          "_s 3 -1", "  x 1 " + std::to_string((8 << 24) + 3)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        std::unique_ptr<SymbolTree> tree = SymbolTree::Create(window_, nullptr, c.mode, nullptr);
        ASSERT_NE(tree, nullptr);
        for (const Symbol& symbol : arrivals) tree->Receive(symbol);
        EXPECT_EQ(Items(*tree), c.items);
        // Replacing the contents gives what a fresh tree receiving the same symbols shows.
        const std::vector<Symbol> all(std::begin(arrivals), std::end(arrivals));
        const std::vector<Symbol> fewer = {arrivals[6], arrivals[2], MakeSymbol(K::Enum, "e", nullptr, 7)};
        std::vector<Symbol> shifted = all;  // lines added at the top
        for (Symbol& symbol : shifted) symbol.line += 3;
        std::vector<Symbol> edited = shifted;  // one renamed, one added in the middle
        edited[3].name = "delta";
        edited.insert(edited.begin() + 2, MakeSymbol(K::Function, "bar", "Bar", 14));
        const std::vector<const std::vector<Symbol>*> rounds = {&fewer, &all, &shifted, &edited, &all};
        for (const std::vector<Symbol>* symbols : rounds) {
            std::unique_ptr<SymbolTree> fresh = SymbolTree::Create(window_, nullptr, c.mode, nullptr);
            for (const Symbol& symbol : *symbols) fresh->Receive(symbol);
            tree->Replace(*symbols);
            EXPECT_EQ(Items(*tree), Items(*fresh));
        }
        EXPECT_EQ(Items(*tree), c.items);
        tree->Replace({});
        EXPECT_TRUE(tree->Empty());
    }
}

// A refresh after a save keeps the items that stay, so their selection and folding stay with them.
TEST_F(SymbolTreeTest, ARefreshKeepsTheItemsThatStay) {
    using K = SymbolKind;
    std::vector<Symbol> symbols = {MakeSymbol(K::Function, "one", nullptr, 1), MakeSymbol(K::Function, "two", "A", 2),
                                   MakeSymbol(K::Function, "three", "B", 3)};
    std::unique_ptr<SymbolTree> tree = SymbolTree::Create(window_, nullptr, SymbolViewMode::Grouped, nullptr);
    ASSERT_NE(tree, nullptr);
    tree->Replace(symbols);
    HWND window = tree->Window();
    HTREEITEM groupA = tree->FindLabel(L"A");
    HTREEITEM groupB = tree->FindLabel(L"B");
    ::SendMessageW(window, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(groupB));
    for (Symbol& symbol : symbols) symbol.line += 10;
    symbols.push_back(MakeSymbol(K::Function, "four", "C", 40));
    tree->Replace(symbols);
    EXPECT_EQ(tree->FindLabel(L"A"), groupA);
    EXPECT_EQ(tree->FindLabel(L"B"), groupB);
    EXPECT_EQ(TreeView_GetItemState(window, groupB, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    EXPECT_NE(TreeView_GetItemState(window, tree->FindLabel(L"C"), TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    EXPECT_EQ(Items(*tree)[3], "  two 0 " + std::to_string((1 << 24) + 12));
}

}  // namespace
}  // namespace kelpo
