// The symbol list in the real main window with the real ctags.exe: a tree per opened file, the
// click that moves the caret, refreshing after a save, the context menu and Go to Symbol.
#include "aids/symbol_pane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "aids/go_to_symbol_dialog.h"
#include "app/message_loop.h"
#include "base/app_state.h"
#include "base/config_bits.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

constexpr int kCmdToggleLeftPane = 88;
constexpr int kCmdShowExplorer = 90;
constexpr int kCmdShowSymbols = 91;
constexpr int kCmdSave = 8;

class SymbolPaneTest : public test::MainWindowFixture {
protected:
    Document* OpenSample(const wchar_t* name = L"sample.cpp", bool showSymbols = true) {
        std::ifstream source(KELPO_TEST_DATA_DIR "/symbols/sample.cpp", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
        test::WriteFileBytes(folder_.File(name), bytes);
        Document* document = OpenDocument(folder_.File(name));
        if (showSymbols) ::SendMessageW(window_, WM_COMMAND, kCmdShowSymbols, 0);
        return document;
    }

    static int CaretLine(const Document& document) { return test::CaretLineColumn(document).first; }

    static void Click(const SymbolTree& tree, HTREEITEM item) {
        RECT rect{};
        std::memcpy(&rect, &item, sizeof(item));  // the message takes the item in the rectangle
        ASSERT_TRUE(::SendMessageW(tree.Window(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        // Posted both: the tree waits for the button's release inside its handling of the press.
        ::PostMessageW(tree.Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(tree.Window(), WM_LBUTTONUP, 0, at);
        test::PumpFor(std::chrono::milliseconds(50));
    }

    static std::wstring SelectedLabel(const SymbolTree& tree) {
        return tree.LabelOf(TreeView_GetSelection(tree.Window()));
    }
};

TEST_F(SymbolPaneTest, OpeningAFileShowsItsSymbolsAndAClickMovesTheCaret) {
    Document* document = OpenSample();
    ASSERT_NE(document, nullptr);
    SymbolTree* tree = ShownSymbolTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree, SymbolTreeOf(*document));
    EXPECT_TRUE(::IsWindowVisible(tree->Window()));
    EXPECT_EQ(tree->Mode(), SymbolViewMode::ByLine) << "the default of Config1 bits 24-25";
    EXPECT_EQ(SelectedLabel(*tree), L"shapes") << "the first item, line 3";
    EXPECT_EQ(CaretLine(*document), 1) << "selecting it on opening does not move the caret";

    Click(*tree, tree->FindLabel(L"Twice"));
    EXPECT_TRUE(test::PumpUntil([&] { return CaretLine(*document) == 27; }, std::chrono::seconds(2)));
    ::SendMessageW(tree->Window(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return CaretLine(*document) == 20; }, std::chrono::seconds(2)))
        << "the keyboard navigates too";

    // In the grouped mode a group node leads nowhere.
    ASSERT_TRUE(RunSymbolMenuCommand(kSymbolMenuGrouped));
    Click(*tree, tree->FindLabel(L"shapes::Circle"));
    EXPECT_EQ(SelectedLabel(*tree), L"shapes::Circle");
    EXPECT_EQ(CaretLine(*document), 20);

    // An untitled document has no tree and shows none; going back shows the file's tree again.
    Document* untitled = NewDocument(nullptr);
    EXPECT_EQ(SymbolTreeOf(*untitled), nullptr);
    EXPECT_EQ(ShownSymbolTree(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(tree->Window()));
    Tabs()->Activate(Tabs()->IndexOf(document), false);
    EXPECT_EQ(ShownSymbolTree(), tree);
    EXPECT_TRUE(::IsWindowVisible(tree->Window()));
    Tabs()->Activate(Tabs()->IndexOf(document), false);
    CloseActiveTab();
    EXPECT_EQ(ShownSymbolTree(), nullptr);
    EXPECT_FALSE(RunSymbolMenuCommand(kSymbolMenuExpand)) << "no tree, no menu";
}

TEST_F(SymbolPaneTest, SavingRebuildsTheTreeAndKeepsTheSelection) {
    Document* document = OpenSample();
    ASSERT_NE(document, nullptr);
    SymbolTree& tree = *ShownSymbolTree();
    tree.SelectAndShow(tree.FindLabel(L"Twice"));
    document->view->Call(SCI_INSERTTEXT, 0, reinterpret_cast<sptr_t>("// one\n// two\n// three\n"));
    EXPECT_EQ(tree.FindLabel(L"Twice") != nullptr, true) << "editing alone changes nothing";

    ::SendMessageW(window_, WM_COMMAND, kCmdSave, 0);
    ASSERT_FALSE(document->modified);
    HTREEITEM selected = TreeView_GetSelection(tree.Window());
    EXPECT_EQ(tree.LabelOf(selected), L"Twice");
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = selected;
    ::SendMessageW(tree.Window(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, 30) << "the line in the saved file";
    EXPECT_EQ(CaretLine(*document), 1) << "a refresh does not navigate";
}

TEST_F(SymbolPaneTest, TheContextMenuChangesTheModeAndFolds) {
    OpenSample();
    SymbolTree& tree = *ShownSymbolTree();
    const struct {
        int command;
        SymbolViewMode mode;
        const wchar_t* first;
    } rows[] = {
        {kSymbolMenuGrouped, SymbolViewMode::Grouped, L"shapes::Circle"},
        {kSymbolMenuAlphabetical, SymbolViewMode::Alphabetical, L"Circle"},
        {kSymbolMenuByLine, SymbolViewMode::ByLine, L"shapes"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(RunSymbolMenuCommand(row.command));
        EXPECT_EQ(tree.Mode(), row.mode);
        EXPECT_EQ(GetBits(App().settings.config1, kC1SymbolViewShift, 2), static_cast<std::uint32_t>(row.mode));
        EXPECT_EQ(tree.LabelOf(TreeView_GetRoot(tree.Window())), row.first);
    }
    ASSERT_TRUE(RunSymbolMenuCommand(kSymbolMenuGrouped));
    const auto expanded = [&tree] {
        return (TreeView_GetItemState(tree.Window(), TreeView_GetRoot(tree.Window()), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    EXPECT_TRUE(expanded());
    ASSERT_TRUE(RunSymbolMenuCommand(kSymbolMenuCollapse));
    EXPECT_FALSE(expanded());
    ASSERT_TRUE(RunSymbolMenuCommand(kSymbolMenuExpand));
    EXPECT_TRUE(expanded());
}

TEST_F(SymbolPaneTest, ATreeIsFilledWhenItIsFirstSeen) {
    ::SendMessageW(window_, WM_COMMAND, kCmdShowExplorer, 0);
    Document* document = OpenSample(L"sample.cpp", false);
    ASSERT_NE(document, nullptr);
    SymbolTree* tree = SymbolTreeOf(*document);
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->Empty()) << "out of sight, no ctags runs";
    ::SendMessageW(window_, WM_COMMAND, kCmdShowSymbols, 0);
    EXPECT_NE(tree->FindLabel(L"Twice"), nullptr) << "the page shown";

    // The page chosen while the pane is hidden: the tree fills when the pane shows it.
    ::SendMessageW(window_, WM_COMMAND, kCmdToggleLeftPane, 0);
    ASSERT_EQ(App().settings.config1 & kC1LeftPane, 0u);
    Document* other = OpenSample(L"other.cpp", false);
    ASSERT_NE(other, nullptr);
    SymbolTree* otherTree = SymbolTreeOf(*other);
    ASSERT_NE(otherTree, nullptr);
    EXPECT_TRUE(otherTree->Empty());
    ::SendMessageW(window_, WM_COMMAND, kCmdToggleLeftPane, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return otherTree->FindLabel(L"Twice") != nullptr; }, std::chrono::seconds(5)));
}

TEST_F(SymbolPaneTest, GoToSymbolFindsTheTypedNameAndJumpsToItsLine) {
    Document* document = OpenSample();
    ASSERT_NE(document, nullptr);
    const struct {
        const wchar_t* typed;
        int button;
        std::wstring selected;  // the name in the selected row when the button is pressed
        int caretLine;
    } rows[] = {
        {L"Tw", IDOK, L"Twice", 27},
        {L"Ci", IDOK, L"Circle", 11},  // the first of the two, in ctags's order
        {L"sha", IDCANCEL, L"Shape", 11},  // without regard to case
        {L"", IDOK, L"Area", 20},  // the first row is selected at the start
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.typed)));
        std::wstring selected;
        SetGoToSymbolDialogHook([&](HWND dialog) {
            ::SetDlgItemTextW(dialog, kSymbolFilterField, row.typed);
            HWND list = ::GetDlgItem(dialog, kSymbolTable);
            const int index =
                static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            wchar_t text[64] = {};
            LVITEMW item{};
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
            selected = text;
            ::PostMessageW(dialog, WM_COMMAND, row.button, 0);
        });
        MSG f6{document->view->Window(), WM_KEYDOWN, VK_F6, 1, 0, {}};  // as the user opens it
        ProcessMessage(App(), f6);
        EXPECT_EQ(selected, row.selected);
        EXPECT_EQ(CaretLine(*document), row.caretLine);
    }
    SetGoToSymbolDialogHook(nullptr);
}

}  // namespace
}  // namespace kelpo
