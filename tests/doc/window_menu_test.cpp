// The window menu: one item per tab below the fixed items, numbered for the first nine, the
// active one checked, and replaced rather than repeated at every opening.
#include <windows.h>

#include "base/handles.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_commands.h"
#include "tab_test_support.h"

namespace kelpo {
namespace {

using tab_test::TabWindowTest;

class WindowMenu : public TabWindowTest {
protected:
    void SetUp() override {
        TabWindowTest::SetUp();
        menu_.reset(::CreatePopupMenu());
        ::AppendMenuW(menu_.get(), MF_STRING, kCmdNextTab, L"&Next Tab");
        ::AppendMenuW(menu_.get(), MF_STRING, kCmdWindowList, L"&Windows...");
    }

    std::wstring ItemText(int position) const {
        wchar_t text[300] = {};
        ::GetMenuStringW(menu_.get(), static_cast<UINT>(position), text, 300, MF_BYPOSITION);
        return text;
    }

    bool IsChecked(int position) const {
        return (::GetMenuState(menu_.get(), static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
    }

    bool IsSeparator(int position) const {
        return (::GetMenuState(menu_.get(), static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    }

    unique_hmenu menu_;
};

TEST_F(WindowMenu, ListsEveryTabNumberingOnlyTheFirstNine) {
    Document* path = OpenFile(L"R&D.c");
    ASSERT_NE(path, nullptr);
    for (int i = 0; i < 10; ++i) {
        NewDocument(nullptr);
    }
    Tabs()->Activate(4, false);
    OnWindowMenuPopup(menu_.get());
    OnWindowMenuPopup(menu_.get());  // opened again: the list is replaced, not added twice

    ASSERT_EQ(::GetMenuItemCount(menu_.get()), 2 + 1 + 11);
    EXPECT_EQ(::GetMenuItemID(menu_.get(), 0), static_cast<UINT>(kCmdNextTab));
    EXPECT_EQ(::GetMenuItemID(menu_.get(), 1), static_cast<UINT>(kCmdWindowList));
    EXPECT_TRUE(IsSeparator(2));
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(::GetMenuItemID(menu_.get(), 3 + i), static_cast<UINT>(kCmdActivateTabFirst + i)) << i;
        EXPECT_EQ(IsChecked(3 + i), i == 4) << i;
    }
    // The path with its ampersand shown as one, not as a mnemonic mark.
    EXPECT_EQ(ItemText(3), L"&1 " + std::wstring(path->path).insert(path->path.find(L'&'), L"&"));
    EXPECT_EQ(ItemText(4), L"&2 " + Tabs()->At(1)->displayName);
    EXPECT_EQ(ItemText(11), L"&9 " + Tabs()->At(8)->displayName);
    EXPECT_EQ(ItemText(12), Tabs()->At(9)->displayName);
    EXPECT_EQ(ItemText(13), Tabs()->At(10)->displayName);

    // After closing tabs the list shrinks with them.
    Command(kCmdCloseOthers);
    OnWindowMenuPopup(menu_.get());
    ASSERT_EQ(::GetMenuItemCount(menu_.get()), 4);
    EXPECT_TRUE(IsChecked(3));
    EXPECT_EQ(ItemText(3), L"&1 " + Tabs()->At(0)->displayName);
    Command(kCmdCloseAll);
    OnWindowMenuPopup(menu_.get());
    EXPECT_EQ(::GetMenuItemCount(menu_.get()), 2);
}

TEST_F(WindowMenu, ChoosingAnItemActivatesItsTab) {
    OpenFile(L"a.c");
    Document* b = OpenFile(L"b.c");
    OpenFile(L"c.c");
    OnWindowMenuPopup(menu_.get());
    Command(static_cast<int>(::GetMenuItemID(menu_.get(), 4)));
    EXPECT_EQ(Tabs()->Active(), b);
}

TEST_F(WindowMenu, OtherMenusAreLeftAlone) {
    OpenFile(L"a.c");
    unique_hmenu file(::CreatePopupMenu());
    ::AppendMenuW(file.get(), MF_STRING, kCmdNew, L"&New");
    OnWindowMenuPopup(file.get());
    EXPECT_EQ(::GetMenuItemCount(file.get()), 1);

    // Command 206 inside a sub-menu does not make its parent the window menu.
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, kCmdWindowList, L"&Windows...");
    ::AppendMenuW(file.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"More");
    OnWindowMenuPopup(file.get());
    EXPECT_EQ(::GetMenuItemCount(file.get()), 2);
    EXPECT_EQ(::GetMenuItemCount(sub), 1);
}

TEST_F(WindowMenu, ListsNoMoreTabsThanTabCommandsExist) {
    for (int i = 0; i < 101; ++i) {
        ASSERT_NE(NewDocument(nullptr), nullptr);
    }
    OnWindowMenuPopup(menu_.get());
    ASSERT_EQ(::GetMenuItemCount(menu_.get()), 2 + 1 + 100);
    EXPECT_EQ(::GetMenuItemID(menu_.get(), 102), static_cast<UINT>(kCmdActivateTabLast));
}

}  // namespace
}  // namespace kelpo
