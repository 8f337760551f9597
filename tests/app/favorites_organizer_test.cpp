// The Organize Favourites dialog on the real main window: filling, Cancel and OK, sorting,
// moving and the drag rule.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/text_convert.h"
#include "panes/favorites_file.h"
#include "panes/favorites_organizer.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using OrganizerTest = test::MainWindowFixture;

constexpr char kSeed[] =
    "\xEF\xBB\xBF<favorites><file name=\"z.c\">C:\\k\\z.c</file><category name=\"b\" expanded=\"true\">"
    "<category name=\"inner\" expanded=\"false\"/><separator/></category><file name=\"a.c\">C:\\k\\a.c</file>"
    "<category name=\"a\" expanded=\"false\"/></favorites>";

// The children of an item, taken before the loop so that the loop may change the tree.
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        children.push_back(child);
    }
    return children;
}

std::wstring Label(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &tv);
    return text;
}

std::vector<std::wstring> ChildLabels(HWND tree, HTREEITEM parent) {
    std::vector<std::wstring> labels;
    for (HTREEITEM child : Children(tree, parent)) {
        labels.push_back(Label(tree, child));
    }
    return labels;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::wstring& label) {
    for (HTREEITEM child : Children(tree, parent)) {
        if (Label(tree, child) == label) {
            return child;
        }
    }
    return nullptr;
}

class Organizer : public OrganizerTest {
protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        test::WriteFileBytes(FavoritesFilePath(), kSeed);
        ::SendMessageW(window_, WM_COMMAND, 192, 0);
        dialog_ = App().modeless.dialog;
        ASSERT_NE(dialog_, nullptr);
        tree_ = ::GetDlgItem(dialog_, kOrganizerTreeId);
        root_ = TreeView_GetRoot(tree_);
        ASSERT_NE(root_, nullptr);
    }
    void Run(int command) { ::SendMessageW(dialog_, WM_COMMAND, command, 0); }
    HWND dialog_ = nullptr;
    HWND tree_ = nullptr;
    HTREEITEM root_ = nullptr;
};

TEST_F(Organizer, FillsTheTreeAndCancelLeavesTheFile) {
    EXPECT_EQ(Label(tree_, root_), L"Favourites");
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"b", L"a.c", L"a"}));
    HTREEITEM b = ChildNamed(tree_, root_, L"b");
    EXPECT_TRUE(TreeView_GetItemState(tree_, b, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(ChildLabels(tree_, b).size(), 2u);

    ::SendMessageW(window_, WM_COMMAND, 192, 0);  // a second request keeps the same dialog
    EXPECT_EQ(App().modeless.dialog, dialog_);


    TreeView_SelectItem(tree_, root_);
    Run(13);
    EXPECT_TRUE(ChildLabels(tree_, root_).empty());
    Run(6);
    EXPECT_EQ(ChildLabels(tree_, root_).size(), 1u);
    Run(IDCANCEL);
    EXPECT_FALSE(::IsWindow(dialog_));
    EXPECT_EQ(App().modeless.dialog, nullptr);
    EXPECT_EQ(test::ReadFileBytes(FavoritesFilePath()), kSeed);
}

TEST_F(Organizer, ReloadingAddsNoPictures) {
    Run(IDCANCEL);
    const std::string existing = WideToUtf8(FavoritesFilePath());  // a file that is there has its own icon
    test::WriteFileBytes(FavoritesFilePath(), "<favorites><file name=\"f\">" + existing + "</file></favorites>");
    ::SendMessageW(window_, WM_COMMAND, 192, 0);
    dialog_ = App().modeless.dialog;
    ASSERT_NE(dialog_, nullptr);
    HIMAGELIST pictures = TreeView_GetImageList(::GetDlgItem(dialog_, kOrganizerTreeId), TVSIL_NORMAL);
    const int count = ImageList_GetImageCount(pictures);
    Run(9);  // Reload, twice
    Run(9);
    EXPECT_EQ(ImageList_GetImageCount(pictures), count);
}

TEST_F(Organizer, OkWritesTheTreeBackWithTheDeclaration) {
    HTREEITEM b = ChildNamed(tree_, root_, L"b");
    TreeView_SelectItem(tree_, TreeView_GetChild(tree_, b));  // "inner": its new entry goes at its end
    Run(6);
    Run(IDOK);
    EXPECT_FALSE(::IsWindow(dialog_));
    EXPECT_EQ(test::ReadFileBytes(FavoritesFilePath()),
              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<favorites>\r\n"
              "\t<file name=\"z.c\">C:\\k\\z.c</file>\r\n"
              "\t<category name=\"b\" expanded=\"true\">\r\n"
              "\t\t<category name=\"inner\" expanded=\"true\">\r\n\t\t\t<separator />\r\n\t\t</category>\r\n"
              "\t\t<separator />\r\n\t</category>\r\n"
              "\t<file name=\"a.c\">C:\\k\\a.c</file>\r\n"
              "\t<category name=\"a\" expanded=\"false\" />\r\n</favorites>\r\n");
}

TEST_F(Organizer, SortingByNameTwiceReversesTheFilesButKeepsCategoriesFirst) {
    TreeView_SelectItem(tree_, root_);
    Run(15);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"a", L"b", L"a.c", L"z.c"}));
    Run(15);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"b", L"a", L"z.c", L"a.c"}));
}

TEST_F(Organizer, MovingUpAndDownKeepsTheSelection) {
    HTREEITEM moved = ChildNamed(tree_, root_, L"a.c");
    TreeView_SelectItem(tree_, moved);
    Run(11);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"a.c", L"b", L"a"}));
    EXPECT_EQ(Label(tree_, TreeView_GetSelection(tree_)), L"a.c");
    Run(12);
    Run(12);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"b", L"a", L"a.c"}));
    Run(12);  // already last
    EXPECT_EQ(ChildLabels(tree_, root_).back(), L"a.c");
}

TEST_F(Organizer, ACategoryIsNeverDroppedIntoItsOwnSubtree) {
    HTREEITEM b = ChildNamed(tree_, root_, L"b");
    HTREEITEM inner = ChildNamed(tree_, b, L"inner");
    EXPECT_EQ(MoveFavoriteItem(tree_, b, inner, DropPlace::Into), nullptr);
    EXPECT_EQ(MoveFavoriteItem(tree_, b, b, DropPlace::After), nullptr);
    EXPECT_EQ(MoveFavoriteItem(tree_, root_, b, DropPlace::Into), nullptr);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"b", L"a.c", L"a"}));

    // A real move takes the subtree along and selects the copy.
    HTREEITEM a = ChildNamed(tree_, root_, L"a");
    HTREEITEM copy = MoveFavoriteItem(tree_, b, a, DropPlace::Into);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"a.c", L"a"}));
    EXPECT_EQ(ChildLabels(tree_, copy), (std::vector<std::wstring>{L"inner", L"----------------"}));
    EXPECT_EQ(TreeView_GetSelection(tree_), copy);
    EXPECT_NE(MoveFavoriteItem(tree_, ChildNamed(tree_, root_, L"z.c"), copy, DropPlace::Before), nullptr);
    EXPECT_EQ(ChildLabels(tree_, ChildNamed(tree_, root_, L"a")), (std::vector<std::wstring>{L"z.c", L"b"}));
}

TEST_F(Organizer, ShellDropsLandAtTheDropPlaceWithoutDuplicates) {
    HTREEITEM a = ChildNamed(tree_, root_, L"a");
    RECT rect{};
    TreeView_GetItemRect(tree_, a, &rect, FALSE);
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    DropPathsOnOrganizer({L"C:\\k\\x.c", L"C:\\k\\", L"c:\\K\\X.C"}, middle);
    EXPECT_EQ(ChildLabels(tree_, a), (std::vector<std::wstring>{L"x.c", L"k"}));
    EXPECT_TRUE(TreeView_GetItemState(tree_, a, TVIS_EXPANDED) & TVIS_EXPANDED);

    // In the upper half of a file entry: before it.
    HTREEITEM ac = ChildNamed(tree_, root_, L"a.c");
    TreeView_GetItemRect(tree_, ac, &rect, FALSE);
    DropPathsOnOrganizer({L"C:\\k\\y.c", L"C:\\k\\a.c"}, POINT{rect.left + 40, rect.top + 1});
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"z.c", L"b", L"y.c", L"a.c", L"a"}));
}

// Renaming: the root and separators are refused, an empty label is refused, a category takes it as
// its name, a file entry as its name or, while labels show paths, as its path.
TEST_F(Organizer, RenameRules) {
    auto rename = [this](HTREEITEM item, const wchar_t* text) {
        HWND edit = TreeView_EditLabel(tree_, item);
        if (edit == nullptr) {
            return false;
        }
        ::SetWindowTextW(edit, text);
        TreeView_EndEditLabelNow(tree_, FALSE);
        return true;
    };
    HTREEITEM b = ChildNamed(tree_, root_, L"b");
    EXPECT_FALSE(rename(root_, L"x"));
    EXPECT_FALSE(rename(ChildNamed(tree_, b, L"----------------"), L"x"));
    EXPECT_TRUE(rename(b, L""));
    EXPECT_EQ(Label(tree_, b), L"b");
    EXPECT_TRUE(rename(b, L"Work"));
    EXPECT_TRUE(rename(ChildNamed(tree_, root_, L"z.c"), L"zed"));
    Run(19);  // labels show paths
    EXPECT_EQ(ChildLabels(tree_, root_), (std::vector<std::wstring>{L"C:\\k\\z.c", L"Work", L"C:\\k\\a.c", L"a"}));
    EXPECT_TRUE(rename(ChildNamed(tree_, root_, L"C:\\k\\a.c"), L"C:\\k\\b.c"));
    Run(19);
    Run(IDOK);
    const std::string written = test::ReadFileBytes(FavoritesFilePath());
    for (const char* part : {"<category name=\"Work\"", "<file name=\"zed\">C:\\k\\z.c</file>",
                             "<file name=\"a.c\">C:\\k\\b.c</file>"}) {
        EXPECT_NE(written.find(part), std::string::npos) << part << "\n" << written;
    }
}

TEST_F(Organizer, EnterOpensTheEntryAndClosesWithoutWriting) {
    const std::wstring file = folder_.File(L"open me.txt");
    test::WriteFileBytes(file, "x\n");
    TreeView_SelectItem(tree_, root_);
    Run(13);
    Run(IDCANCEL);
    test::WriteFileBytes(FavoritesFilePath(), "<favorites><file name=\"o\">" + std::string(file.begin(), file.end()) +
                                                  "</file></favorites>");
    ::SendMessageW(window_, WM_COMMAND, 192, 0);
    dialog_ = App().modeless.dialog;
    tree_ = ::GetDlgItem(dialog_, kOrganizerTreeId);
    HTREEITEM entry = TreeView_GetChild(tree_, TreeView_GetRoot(tree_));
    TreeView_SelectItem(tree_, entry);
    Run(6);  // an edit to lose
    TreeView_SelectItem(tree_, entry);
    ::SendMessageW(tree_, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(test::PumpUntil([this] { return !::IsWindow(dialog_); }, std::chrono::seconds(5)));
    EXPECT_NE(test::DocumentWithPath(file), nullptr);
    EXPECT_EQ(test::ReadFileBytes(FavoritesFilePath()).find("<?xml"), std::string::npos);
}

}  // namespace
}  // namespace kelpo
