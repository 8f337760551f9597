// Commands on the active document's file: read-only on disk, clipboard texts, source/header
// switch, #include lines, rename, delete, revert, and their menu states.
#include <windows.h>
#include <commctrl.h>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/status_message.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_commands.h"
#include "doc/project_marks.h"
#include "tab_test_support.h"

namespace kelpo {
namespace {

using tab_test::FileExists;
using tab_test::ReadFileBytes;
using tab_test::TabWindowTest;
using tab_test::WindowText;

class FileCommands : public TabWindowTest {
protected:
    void TearDown() override {
        for (const wchar_t* name : {L"locked.c", L"other.c"}) {
            ::SetFileAttributesW(files_.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        TabWindowTest::TearDown();
    }

    bool Enabled(HMENU menu, int command) const {
        return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }
    bool Checked(HMENU menu, int command) const {
        return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    std::string ClipboardAnsi() const {
        std::string text;
        if (::OpenClipboard(window_)) {
            if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
                text = static_cast<const char*>(::GlobalLock(data));
                ::GlobalUnlock(data);
            }
            ::CloseClipboard();
        }
        return text;
    }

    std::wstring ClipboardWide() const {
        std::wstring text;
        if (::OpenClipboard(window_)) {
            if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
                text = static_cast<const wchar_t*>(::GlobalLock(data));
                ::GlobalUnlock(data);
            }
            ::CloseClipboard();
        }
        return text;
    }

    std::wstring TabText(int index) const {
        wchar_t text[261] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 261;
        ::SendMessageW(TabBar(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }
};

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Where the recycle bin cannot take a file (under Wine without a desktop trash, everywhere), the
// system asks before destroying it; this presses `button` in that warning if it comes.
class BinWarningAnswer {
public:
    explicit BinWarningAnswer(int button)
        : driver_(button, [button](HWND warning) { ::PostMessageW(warning, WM_COMMAND, button, 0); }) {}
    bool Shown() const { return driver_.Ran(); }

private:
    tab_test::DialogDriver driver_;
};

TEST_F(FileCommands, ToggleReadOnlyChangesTheAttributeOnDiskAndTheMenu) {
    Document* document = OpenFile(L"locked.c", "int x;\r\n");
    ASSERT_NE(document, nullptr);
    const std::wstring path = document->path;
    unique_hmenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, kCmdSave, L"&Save");
    ::AppendMenuW(menu.get(), MF_STRING, kCmdToggleReadOnly, L"&Read Only");
    UpdateDocumentMenuStates(menu.get());
    EXPECT_TRUE(Enabled(menu.get(), kCmdToggleReadOnly));
    EXPECT_FALSE(Checked(menu.get(), kCmdToggleReadOnly));
    EXPECT_FALSE(Enabled(menu.get(), kCmdSave));  // unmodified

    Command(kCmdToggleReadOnly);
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(document->readOnly);
    EXPECT_EQ(document->view->Call(SCI_GETREADONLY), 1);
    EXPECT_EQ(ImageOf(0), 3);
    UpdateDocumentMenuStates(menu.get());
    EXPECT_TRUE(Checked(menu.get(), kCmdToggleReadOnly));

    Command(kCmdToggleReadOnly);
    EXPECT_FALSE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(document->readOnly);
    EXPECT_EQ(document->view->Call(SCI_GETREADONLY), 0);
    EXPECT_EQ(ImageOf(0), 0);

    // Made read-only outside the program: the command only brings the flag in line.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Command(kCmdToggleReadOnly);
    EXPECT_TRUE(document->readOnly);
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);

    // A file that has gone cannot change: the flag stays.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
    Command(kCmdToggleReadOnly);
    EXPECT_TRUE(document->readOnly);

    // Modified and writable: save enabled; read-only: save disabled even when modified.
    Document* other = OpenFile(L"other.c");
    Touch(*other);
    UpdateDocumentMenuStates(menu.get());
    EXPECT_TRUE(Enabled(menu.get(), kCmdSave));
    Command(kCmdToggleReadOnly);
    UpdateDocumentMenuStates(menu.get());
    EXPECT_FALSE(Enabled(menu.get(), kCmdSave));
    Command(kCmdToggleReadOnly);

    // A new document has no file to make read-only.
    Command(kCmdNew);
    UpdateDocumentMenuStates(menu.get());
    EXPECT_FALSE(Enabled(menu.get(), kCmdToggleReadOnly));
    Command(kCmdToggleReadOnly);
    EXPECT_FALSE(Tabs()->Active()->readOnly);
}

TEST_F(FileCommands, CopyPathFolderAndNameToTheClipboard) {
    Document* document = OpenFile(L"notes.txt");
    ASSERT_NE(document, nullptr);
    const std::wstring folder = files_.Path().substr(0, files_.Path().size() - 1);
    Command(kCmdCopyPath);
    EXPECT_EQ(ClipboardAnsi(), Narrow(document->path));
    EXPECT_EQ(ClipboardWide(), document->path);
    Command(kCmdCopyFolder);
    EXPECT_EQ(ClipboardAnsi(), Narrow(folder));
    Command(kCmdCopyFileName);
    EXPECT_EQ(ClipboardAnsi(), "notes.txt");
    EXPECT_EQ(ClipboardWide(), L"notes.txt");

    // A new document has no path: the clipboard keeps what it had.
    Command(kCmdNew);
    Command(kCmdCopyPath);
    Command(kCmdCopyFolder);
    EXPECT_EQ(ClipboardAnsi(), "notes.txt");
}

TEST_F(FileCommands, SwitchBetweenSourceAndHeader) {
    tab_test::WriteFileBytes(files_.File(L"a.h"), "");
    Document* source = OpenFile(L"a.cpp");
    Command(kCmdSwitchSourceHeader);
    ASSERT_NE(Tabs()->Active(), source);
    EXPECT_EQ(Tabs()->Active()->path, files_.File(L"a.h"));
    Command(kCmdSwitchSourceHeader);
    EXPECT_EQ(Tabs()->Active(), source);
    EXPECT_EQ(Tabs()->Count(), 2);

    // From a header the first existing of .c, .cpp, .cxx, .cc.
    tab_test::WriteFileBytes(files_.File(L"b.cc"), "");
    tab_test::WriteFileBytes(files_.File(L"b.cxx"), "");
    OpenFile(L"b.HXX");
    Command(kCmdSwitchSourceHeader);
    EXPECT_EQ(Tabs()->Active()->path, files_.File(L"b.cxx"));

    // A header without sources, and other extensions: nothing opens.
    Document* lonely = OpenFile(L"lonely.h");
    Command(kCmdSwitchSourceHeader);
    OpenFile(L"readme.txt");
    Command(kCmdSwitchSourceHeader);
    EXPECT_EQ(Tabs()->Count(), 6);

    // A source without its header: the status bar says so.
    (void)lonely;
    Document* orphan = OpenFile(L"orphan.c");
    Command(kCmdSwitchSourceHeader);
    EXPECT_EQ(Tabs()->Active(), orphan);
    EXPECT_EQ(LastStatusMessage(), L"Cannot open file: " + files_.File(L"orphan.h"));
}

TEST_F(FileCommands, OpenTheFileOfAnIncludeLineBesideTheDocument) {
    ASSERT_TRUE(::CreateDirectoryW(files_.File(L"sub").c_str(), nullptr));
    tab_test::WriteFileBytes(files_.File(L"sub\\inc.h"), "#define X 1\r\n");
    Document* main =
        OpenFile(L"main.c", "int x;\r\n#include \"sub\\inc.h\"\r\n  # include <sub/inc.h>\r\n#include \"gone.h\"\r\n");
    ASSERT_NE(main, nullptr);

    main->view->Call(SCI_GOTOLINE, 0);
    Command(kCmdOpenIncludedFile);
    EXPECT_EQ(Tabs()->Count(), 1);

    main->view->Call(SCI_GOTOLINE, 1);
    Command(kCmdOpenIncludedFile);
    ASSERT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(Tabs()->Active()->path, files_.File(L"sub\\inc.h"));

    // Forward slashes name the same file, which is open already.
    Tabs()->Activate(0, false);
    main->view->Call(SCI_GOTOLINE, 2);
    Command(kCmdOpenIncludedFile);
    EXPECT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(Tabs()->Active()->path, files_.File(L"sub\\inc.h"));

    Tabs()->Activate(0, false);
    main->view->Call(SCI_GOTOLINE, 3);
    Command(kCmdOpenIncludedFile);
    EXPECT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(LastStatusMessage(), L"Cannot open file: " + files_.File(L"gone.h"));
}

TEST_F(FileCommands, RenameMovesTheFileAndKeepsUnsavedChanges) {
    Document* document = OpenFile(L"old.c", "old text\r\n");
    ASSERT_NE(document, nullptr);
    Touch(*document);
    savePaths_.push_back(files_.File(L"new.tvk"));
    Command(kCmdRename);
    EXPECT_FALSE(FileExists(files_.File(L"old.c")));
    EXPECT_EQ(ReadFileBytes(files_.File(L"new.tvk")), "old text\r\n");
    EXPECT_EQ(document->path, files_.File(L"new.tvk"));
    EXPECT_EQ(document->displayName, L"new.tvk");
    EXPECT_EQ(TabText(0), L"new.tvk");
    EXPECT_EQ(WindowText(window_), document->path + L" - Kelpo");
    EXPECT_EQ(document->kind, DocumentKind::ActiveProject);  // classified again
    EXPECT_TRUE(document->modified);  // the changes are still only in the view
    EXPECT_EQ(ImageOf(0), 2 + 6);

    // Back to a source name: the project mark goes with it.
    EXPECT_TRUE(RenameDocument(*document, files_.File(L"again.c")));
    EXPECT_EQ(document->kind, DocumentKind::Ordinary);
    EXPECT_FALSE(ActiveProjectExists());

    // The same name in other letters does nothing; cancelling the dialog does nothing.
    EXPECT_TRUE(RenameDocument(*document, files_.File(L"AGAIN.C")));
    EXPECT_EQ(document->path, files_.File(L"again.c"));
    Command(kCmdRename);
    EXPECT_EQ(document->path, files_.File(L"again.c"));

    // A failed move leaves everything as it was and says so.
    EXPECT_FALSE(RenameDocument(*document, files_.File(L"no such folder\\x.c")));
    EXPECT_EQ(document->path, files_.File(L"again.c"));
    EXPECT_TRUE(FileExists(files_.File(L"again.c")));
    EXPECT_EQ(answers_.Texts().size(), 1u);
}

TEST_F(FileCommands, RenamingANewDocumentSavesIt) {
    Command(kCmdNew);
    Document* document = Tabs()->Active();
    document->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("fresh"));
    savePaths_.push_back(files_.File(L"fresh.txt"));
    Command(kCmdRename);
    EXPECT_EQ(ReadFileBytes(files_.File(L"fresh.txt")), "fresh");
    EXPECT_EQ(document->path, files_.File(L"fresh.txt"));
    EXPECT_EQ(TabText(0), L"fresh.txt");
    EXPECT_FALSE(document->modified);
}

TEST_F(FileCommands, DeleteAsksThenRemovesTheFileAndItsTab) {
    Document* keep = OpenFile(L"keep.c");
    Document* victim = OpenFile(L"victim.c", "bye\r\n");
    ASSERT_NE(victim, nullptr);
    const std::wstring path = victim->path;

    Command(kCmdDeleteFile);  // Cancel
    ASSERT_EQ(answers_.Texts().size(), 1u);
    EXPECT_NE(answers_.Texts()[0].find(path), std::wstring::npos);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(Tabs()->Count(), 2);

    answers_.Queue(IDOK);
    {
        const BinWarningAnswer destroy(IDYES);
        Command(kCmdDeleteFile);
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{keep}));
    EXPECT_EQ(answers_.Texts().size(), 2u);

    Command(kCmdNew);
    Command(kCmdDeleteFile);  // no file: no question
    EXPECT_EQ(answers_.Texts().size(), 2u);
    EXPECT_EQ(Tabs()->Count(), 2);
}

// Saving edits to a file that is about to go is pointless; the question says that they go too.
TEST_F(FileCommands, DeletingAModifiedDocumentWarnsThatItsChangesAreLost) {
    Document* victim = OpenFile(L"edited.c", "saved\r\n");
    ASSERT_NE(victim, nullptr);
    const std::wstring path = victim->path;
    Touch(*victim);

    Command(kCmdDeleteFile);  // Cancel keeps the file, the tab and the changes
    ASSERT_EQ(answers_.Texts().size(), 1u);
    EXPECT_NE(answers_.Texts()[0].find(L"unsaved changes"), std::wstring::npos);
    EXPECT_NE(answers_.Texts()[0].find(path), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(path), "saved\r\n");
    EXPECT_EQ(TabOrder(), (std::vector<Document*>{victim}));
    EXPECT_TRUE(victim->modified);

    answers_.Queue(IDOK);
    {
        const BinWarningAnswer destroy(IDYES);
        Command(kCmdDeleteFile);
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(Tabs()->Count(), 0);
    EXPECT_EQ(answers_.Texts().size(), 2u);
}

// A file on another file system than the desktop trash cannot be moved there: the system warns
// before destroying it, and declining keeps the file and its tab without an error box.
TEST_F(FileCommands, DeletingAFileTheBinCannotTakeWarnsFirst) {
    const std::wstring folder = L"Z:\\dev\\shm\\kelpo-delete-" + std::to_wstring(::GetCurrentProcessId());
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        GTEST_SKIP() << "no memory file system to put the file on";
    }
    const std::wstring path = folder + L"\\gone.c";
    tab_test::WriteFileBytes(path, "gone\r\n");
    ASSERT_NE(OpenDocument(path), nullptr);

    answers_.Queue(IDOK);
    {
        const BinWarningAnswer keep(IDNO);
        Command(kCmdDeleteFile);
        // Where the user's trash folder exists, Wine moves files there from any file system.
        if (!keep.Shown() && !FileExists(path)) {
            ::RemoveDirectoryW(folder.c_str());
            GTEST_SKIP() << "the bin here takes files from another file system";
        }
        EXPECT_TRUE(keep.Shown());
    }
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(Tabs()->Count(), 1);
    EXPECT_EQ(answers_.Texts().size(), 1u);  // no "cannot delete" after the user's own No

    answers_.Queue(IDOK);
    {
        const BinWarningAnswer destroy(IDYES);
        Command(kCmdDeleteFile);
        EXPECT_TRUE(destroy.Shown());
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(Tabs()->Count(), 0);
    ::DeleteFileW(path.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(FileCommands, RevertLoadsTheFileAgainAfterAsking) {
    Document* document = OpenFile(L"draft.c", "saved\r\n");
    ASSERT_NE(document, nullptr);
    Command(kCmdRevert);  // unmodified: nothing to ask
    EXPECT_TRUE(answers_.Texts().empty());

    document->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("changed"));
    ASSERT_TRUE(document->modified);
    Command(kCmdRevert);  // Cancel
    EXPECT_EQ(document->view->Text(), "changed");
    EXPECT_TRUE(document->modified);

    answers_.Queue(IDOK);
    Command(kCmdRevert);
    EXPECT_EQ(document->view->Text(), "saved\r\n");
    EXPECT_FALSE(document->modified);
    EXPECT_EQ(ImageOf(0), 0);
    EXPECT_EQ(answers_.Texts().size(), 2u);
}

TEST_F(FileCommands, WithoutADocumentTheCommandsDoNothing) {
    for (int command : {kCmdOpenIncludedFile, kCmdRename, kCmdToggleReadOnly, kCmdCopyPath, kCmdCopyFolder,
                        kCmdCopyFileName, kCmdSwitchSourceHeader, kCmdDeleteFile, kCmdRevert}) {
        EXPECT_TRUE(HandleFileCommand(command)) << command;
    }
    EXPECT_FALSE(HandleFileCommand(kCmdShowInExplorerPane));  // the file explorer pane's own command
    EXPECT_FALSE(HandleFileCommand(kCmdNew));
    EXPECT_EQ(Tabs()->Count(), 0);
    EXPECT_TRUE(answers_.Texts().empty());
}

}  // namespace
}  // namespace kelpo
