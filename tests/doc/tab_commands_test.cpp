// Tab commands through the main window: moving tabs, closing without questions, the title after
// the last tab, opening a file that is open already, and the active-project mark.
#include <windows.h>
#include <commctrl.h>

#include "base/app_state.h"
#include "base/handles.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_commands.h"
#include "doc/project_marks.h"
#include "tab_test_support.h"

namespace kelpo {
namespace {

using tab_test::TabWindowTest;
using tab_test::WindowText;

class TabCommands : public TabWindowTest {
protected:
    int Selected() const { return static_cast<int>(::SendMessageW(TabBar(), TCM_GETCURSEL, 0, 0)); }
};

TEST_F(TabCommands, MovingTabsKeepsTheActiveDocument) {
    Document* a = OpenFile(L"a.c");
    Document* b = OpenFile(L"b.c");
    Document* c = OpenFile(L"c.c");
    Document* d = OpenFile(L"d.c");
    Tabs()->Activate(1, false);

    Command(kCmdMoveTab, MAKELPARAM(1, 3));  // the active tab itself
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{a, c, d, b}));
    EXPECT_EQ(Tabs()->Active(), b);
    EXPECT_EQ(Selected(), 3);

    Command(kCmdMoveTab, MAKELPARAM(3, 0));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{b, a, c, d}));
    EXPECT_EQ(Tabs()->Active(), b);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(WindowText(window_), b->path + L" - Kelpo");

    // Onto itself or out of range: nothing changes.
    for (const LPARAM move : {MAKELPARAM(2, 2), MAKELPARAM(0, 4), MAKELPARAM(7, 1)}) {
        Command(kCmdMoveTab, move);
        EXPECT_EQ(TabOrder(), (std::vector<Document*>{b, a, c, d}));
        EXPECT_EQ(Tabs()->Active(), b);
    }
}

// The selection must stay on the tab whose view is shown, or a click on the selected-looking tab
// would not bring its document.
TEST_F(TabCommands, MovingAnotherTabKeepsTheActiveOneSelected) {
    Document* a = OpenFile(L"a.c");
    Document* b = OpenFile(L"b.c");
    Document* c = OpenFile(L"c.c");
    Tabs()->Activate(0, false);
    Command(kCmdMoveTab, MAKELPARAM(2, 1));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{a, c, b}));
    EXPECT_EQ(Tabs()->Active(), a);
    EXPECT_EQ(Selected(), 0);
    Command(kCmdMoveTab, MAKELPARAM(1, 0));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{c, a, b}));
    EXPECT_EQ(Tabs()->Active(), a);
    EXPECT_EQ(Selected(), 1);
}

TEST_F(TabCommands, CloseOthersAndCloseAllDiscardChangesWithoutAsking) {
    Document* a = OpenFile(L"a.c", "a\r\n");
    Document* b = OpenFile(L"b.c", "b\r\n");
    Document* c = OpenFile(L"c.c", "c\r\n");
    Touch(*a);
    Touch(*b);
    Touch(*c);
    Tabs()->Activate(1, true);

    Command(kCmdCloseOthers);
    EXPECT_TRUE(answers_.Texts().empty());
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{b}));
    EXPECT_EQ(Tabs()->Active(), b);
    EXPECT_EQ(tab_test::ReadFileBytes(files_.File(L"a.c")), "a\r\n");

    OpenFile(L"d.c");
    Command(kCmdCloseAll);
    EXPECT_TRUE(answers_.Texts().empty());
    EXPECT_EQ(Tabs()->Count(), 0);
    EXPECT_EQ(Tabs()->Active(), nullptr);
    EXPECT_EQ(WindowText(window_), L"Kelpo");
    EXPECT_EQ(tab_test::ReadFileBytes(files_.File(L"b.c")), "b\r\n");
}

TEST_F(TabCommands, ClosingTheLastTabLeavesTheTitleKelpo) {
    Document* a = OpenFile(L"a.c");
    Document* b = OpenFile(L"b.c");
    Tabs()->Activate(0, false);
    Command(kCmdClose);
    EXPECT_EQ(Tabs()->Active(), b);  // the tab at the same index
    EXPECT_EQ(WindowText(window_), b->path + L" - Kelpo");
    Command(kCmdClose);
    EXPECT_EQ(Tabs()->Count(), 0);
    EXPECT_EQ(Tabs()->Active(), nullptr);
    EXPECT_EQ(WindowText(window_), L"Kelpo");
    (void)a;

    // A modified last tab asks; Cancel keeps it.
    Document* c = OpenFile(L"c.c");
    Touch(*c);
    Command(kCmdClose);
    EXPECT_EQ(answers_.Texts().size(), 1u);
    EXPECT_EQ(Tabs()->Active(), c);
}

TEST_F(TabCommands, OpeningAnOpenFileUnderAnotherCaseOrARelativePathActivatesItsTab) {
    ASSERT_TRUE(::CreateDirectoryW(files_.File(L"sub").c_str(), nullptr));
    Document* main = OpenFile(L"Main.c");
    Document* other = OpenFile(L"other.c");
    ASSERT_EQ(Tabs()->Active(), other);

    std::wstring upper = files_.File(L"MAIN.C");
    EXPECT_EQ(OpenDocument(upper), main);
    EXPECT_EQ(Tabs()->Active(), main);
    EXPECT_EQ(Tabs()->Count(), 2);

    Tabs()->Activate(1, false);
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(files_.File(L"sub").c_str());
    EXPECT_EQ(OpenDocument(L"..\\main.c"), main);
    EXPECT_EQ(OpenDocument(L"..\\sub\\..\\OTHER.c"), other);
    ::SetCurrentDirectoryW(files_.Path().c_str());
    EXPECT_EQ(OpenDocument(L"main.c"), main);
    ::SetCurrentDirectoryW(previous);
    EXPECT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(Tabs()->Active(), main);
    EXPECT_EQ(main->path, files_.File(L"Main.c"));  // the first name stays
}

TEST_F(TabCommands, TheFirstProjectFileOpenedWithoutAnActiveOneBecomesActive) {
    Document* first = OpenFile(L"first.tvk");
    Document* second = OpenFile(L"SECOND.TVK");
    Document* plain = OpenFile(L"plain.c");
    EXPECT_EQ(first->kind, DocumentKind::ActiveProject);
    EXPECT_EQ(second->kind, DocumentKind::Project);
    EXPECT_EQ(plain->kind, DocumentKind::Ordinary);
    EXPECT_EQ(ImageOf(0), 2);
    EXPECT_EQ(ImageOf(1), 1);
    EXPECT_EQ(ImageOf(2), 0);

    // Closing the active project clears the mark: the next project opened becomes active.
    Tabs()->Activate(0, false);
    Command(kCmdClose);
    EXPECT_FALSE(ActiveProjectExists());
    EXPECT_EQ(second->kind, DocumentKind::Project);
    Document* third = OpenFile(L"third.tvk");
    EXPECT_EQ(third->kind, DocumentKind::ActiveProject);
    EXPECT_TRUE(ActiveProjectExists());

    // Closing a project that is not the active one keeps the mark.
    Tabs()->Activate(Tabs()->IndexOf(second), false);
    Command(kCmdClose);
    EXPECT_TRUE(ActiveProjectExists());
    Document* fourth = OpenFile(L"fourth.tvk");
    EXPECT_EQ(fourth->kind, DocumentKind::Project);

    // Commands 6 and 7 forget the active project along with its tab.
    Tabs()->Activate(Tabs()->IndexOf(plain), false);
    Command(kCmdCloseOthers);
    EXPECT_FALSE(ActiveProjectExists());
    EXPECT_EQ(OpenFile(L"fifth.tvk")->kind, DocumentKind::ActiveProject);
    Command(kCmdCloseAll);
    EXPECT_FALSE(ActiveProjectExists());
}

TEST_F(TabCommands, SetAsActiveProjectOnlyForAProjectFile) {
    Document* active = OpenFile(L"one.tvk");
    Document* project = OpenFile(L"two.tvk");
    Document* plain = OpenFile(L"plain.c");
    unique_hmenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, kCmdSetActiveProject, L"Set as active project");
    const auto enabled = [&] {
        UpdateDocumentMenuStates(menu.get());
        return (::GetMenuState(menu.get(), kCmdSetActiveProject, MF_BYCOMMAND) & MF_GRAYED) == 0;
    };

    EXPECT_FALSE(enabled());  // an ordinary document
    Command(kCmdSetActiveProject);
    EXPECT_EQ(plain->kind, DocumentKind::Ordinary);

    Tabs()->Activate(0, false);
    EXPECT_FALSE(enabled());  // the active project already

    Tabs()->Activate(1, false);
    EXPECT_TRUE(enabled());
    Command(kCmdSetActiveProject);
    EXPECT_EQ(project->kind, DocumentKind::ActiveProject);
    EXPECT_EQ(active->kind, DocumentKind::Project);
    EXPECT_EQ(ImageOf(0), 1);
    EXPECT_EQ(ImageOf(1), 2);
    EXPECT_TRUE(ActiveProjectExists());
    EXPECT_FALSE(enabled());

    Command(kCmdCloseAll);
    EXPECT_FALSE(enabled());  // no document
}

}  // namespace
}  // namespace kelpo
