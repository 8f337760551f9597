// The session with the real main window: what is written for the open tabs, what a load brings
// back (view state, bookmarks, selected tab, active project) and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "doc/document_entry.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/project_marks.h"
#include "doc/session.h"
#include "session_test_support.h"

namespace kelpo {
namespace {

using session_test::FileExists;
using session_test::ReadFileBytes;
using session_test::WriteFileBytes;

// Types a file name into the open or save dialog while its modal loop runs, and accepts it.
std::wstring g_dialogAnswer;
bool g_dialogSeen = false;

BOOL CALLBACK AnswerFileDialog(HWND window, LPARAM) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) {
        return TRUE;
    }
    g_dialogSeen = true;
    for (const int control : {0x47C, 0x480}) {  // the file-name box of either dialog layout
        ::SetDlgItemTextW(window, control, g_dialogAnswer.c_str());
    }
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerFileDialogOnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerFileDialog, 0);
    if (g_dialogSeen) {
        ::KillTimer(nullptr, timer);
    }
}

// Runs the command with its file dialog answered by the path.
void RunWithFileDialog(HWND window, int command, const std::wstring& path) {
    g_dialogAnswer = path;
    g_dialogSeen = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, AnswerFileDialogOnTimer);
    ::SendMessageW(window, WM_COMMAND, command, 0);
    ::KillTimer(nullptr, timer);
}

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + " of the file with some words to make it a little wider\r\n";
    }
    return text;
}

std::vector<int> Bookmarks(const Document& document) {
    std::vector<int> lines;
    const EditorView& view = *document.view;
    for (sptr_t line = view.Call(SCI_MARKERNEXT, 0, 2); line >= 0; line = view.Call(SCI_MARKERNEXT, line + 1, 2)) {
        lines.push_back(static_cast<int>(line));
    }
    return lines;
}

class SessionTest : public session_test::MainWindowTest {
protected:
    std::wstring MakeFile(const std::wstring& name, int lines = 20) {
        const std::wstring path = folder_.File(name);
        WriteFileBytes(path, NumberedLines(lines));
        return path;
    }

    Document* Open(const std::wstring& path) {
        Document* document = OpenFileFromArgument(path);
        EXPECT_NE(document, nullptr) << "cannot open the test file";
        return document;
    }

    DocumentTabs& TabBar() { return *Tabs(); }
};

TEST_F(SessionTest, RoundTripRestoresViewStateBookmarksAndSelectedTab) {
    const std::wstring longPath = MakeFile(L"long.txt", 1000);
    const std::wstring widePath = MakeFile(L"\u00e9t\u00e9 \u65e5\u672c.txt", 50);
    Document* longDocument = Open(longPath);
    ASSERT_NE(longDocument, nullptr);
    const EditorView& view = *longDocument->view;
    view.Call(SCI_SETSELECTIONSTART, 0);
    view.Call(SCI_SETSEL, 720, 700);  // caret before the anchor
    view.Call(SCI_SETFIRSTVISIBLELINE, 100);
    view.Call(SCI_SETXOFFSET, 24);
    for (const int line : {0, 5, 999}) {
        view.Call(SCI_MARKERADD, line, 1);
    }
    ASSERT_EQ(view.Call(SCI_GETFIRSTVISIBLELINE), 100);
    ASSERT_NE(Open(widePath), nullptr);

    const std::wstring sessionPath = folder_.File(L"saved.xml");
    ASSERT_TRUE(SaveSession(sessionPath));
    const std::string xml = ReadFileBytes(sessionPath);
    EXPECT_NE(xml.find("<file line=\"100\" startpos=\"700\" endpos=\"720\" xoffset=\"24\" mark=\"0,5,999\">"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.txt</file>"), std::string::npos) << xml;
    // Only the second tab carries cursel.
    const std::size_t cursel = xml.find("cursel=\"1\">");
    ASSERT_NE(cursel, std::string::npos);
    EXPECT_GT(cursel, xml.rfind("<file"));

    CloseAllTabs();
    ASSERT_EQ(TabBar().Count(), 0);
    EXPECT_EQ(LoadSession(sessionPath), 2);
    ASSERT_EQ(TabBar().Count(), 2);
    EXPECT_EQ(TabBar().At(0)->path, longPath);
    EXPECT_EQ(TabBar().At(1)->path, widePath);
    EXPECT_EQ(TabBar().ActiveIndex(), 1);

    TabBar().Activate(0, false);  // the tab not shown reads its file now
    const EditorView& restored = *TabBar().At(0)->view;
    EXPECT_EQ(restored.Call(SCI_GETFIRSTVISIBLELINE), 100);
    EXPECT_EQ(restored.Call(SCI_GETSELECTIONSTART), 700);
    EXPECT_EQ(restored.Call(SCI_GETSELECTIONEND), 720);
    EXPECT_EQ(restored.Call(SCI_GETXOFFSET), 24);
    EXPECT_EQ(Bookmarks(*TabBar().At(0)), (std::vector<int>{0, 5, 999}));
    EXPECT_TRUE(Bookmarks(*TabBar().At(1)).empty());
}

// Restored tabs other than the selected one read their files only when shown or when every
// text is needed; until then their names, marks and session places stand as restored.
TEST_F(SessionTest, RestoredTabsReadTheirFilesWhenFirstNeeded) {
    const std::vector<std::wstring> paths = {MakeFile(L"a.txt", 30), MakeFile(L"b.txt", 40), MakeFile(L"c.txt", 50),
                                             MakeFile(L"d.txt", 60)};
    for (const std::wstring& path : paths) {
        Open(path);
    }
    TabBar().At(1)->view->Call(SCI_SETSEL, 120, 100);
    const std::wstring sessionPath = folder_.File(L"lazy.xml");
    ASSERT_TRUE(SaveSession(sessionPath));
    const std::string saved = ReadFileBytes(sessionPath);
    CloseAllTabs();

    ASSERT_EQ(LoadSession(sessionPath), 4);
    ASSERT_EQ(TabBar().Count(), 4);
    EXPECT_EQ(TabBar().Active(), TabBar().At(3));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(TabBar().At(i)->displayName, paths[static_cast<std::size_t>(i)].substr(folder_.File(L"").size()));
        EXPECT_EQ(TabBar().At(i)->IsLoaded(), i == 3) << i;
    }
    EXPECT_EQ(TabBar().At(3)->view->Call(SCI_GETLINECOUNT), 61);
    // Written again before any was shown, the session keeps every place.
    ASSERT_TRUE(SaveSession(sessionPath));
    EXPECT_EQ(ReadFileBytes(sessionPath), saved);

    TabBar().Activate(1, false);
    const EditorView& shown = *TabBar().At(1)->view;
    EXPECT_EQ(shown.Call(SCI_GETLINECOUNT), 41);
    EXPECT_EQ(shown.Call(SCI_GETSELECTIONSTART), 100);
    EXPECT_EQ(shown.Call(SCI_GETSELECTIONEND), 120);
    EXPECT_EQ(shown.Call(SCI_GETMODIFY), 0);
    EXPECT_FALSE(TabBar().At(1)->modified);

    // A file gone since the restore: showing its tab reports it and closes the tab.
    ASSERT_TRUE(::DeleteFileW(paths[2].c_str()));
    TabBar().Activate(2, false);
    ASSERT_EQ(TabBar().Count(), 3);
    EXPECT_EQ(TabBar().At(2)->path, paths[3]);
    EXPECT_NE(TabBar().Active(), nullptr);

    // Commands over every text (find and replace in all documents, the window list) load the rest.
    LoadAllDocuments();
    EXPECT_TRUE(TabBar().At(0)->IsLoaded());
    EXPECT_EQ(TabBar().At(0)->view->Call(SCI_GETLINECOUNT), 31);
}

TEST_F(SessionTest, FirstLineDoesNotCountLinesHiddenByFolding) {
    Document* document = Open(MakeFile(L"folded.txt", 300));
    ASSERT_NE(document, nullptr);
    const EditorView& view = *document->view;
    view.Call(SCI_HIDELINES, 10, 29);  // twenty lines above the top one
    view.Call(SCI_SETFIRSTVISIBLELINE, 80);
    ASSERT_EQ(view.Call(SCI_DOCLINEFROMVISIBLE, view.Call(SCI_GETFIRSTVISIBLELINE)), 100);
    const std::wstring sessionPath = folder_.File(L"folded.xml");
    ASSERT_TRUE(SaveSession(sessionPath));
    EXPECT_NE(ReadFileBytes(sessionPath).find("line=\"80\""), std::string::npos);
}

TEST_F(SessionTest, DeletedFileIsSkippedAndTheSelectedTabIsStillSelected) {
    const std::wstring first = MakeFile(L"a.txt");
    const std::wstring second = MakeFile(L"b.txt");
    const std::wstring third = MakeFile(L"c.txt");
    Open(first);
    Open(second);
    Open(third);
    TabBar().Activate(1, true);
    const std::wstring sessionPath = folder_.File(L"s.xml");
    ASSERT_TRUE(SaveSession(sessionPath));

    CloseAllTabs();
    ASSERT_TRUE(::DeleteFileW(first.c_str()));
    EXPECT_EQ(LoadSession(sessionPath), 2);
    ASSERT_EQ(TabBar().Count(), 2);
    EXPECT_EQ(TabBar().At(0)->path, second);
    EXPECT_EQ(TabBar().At(1)->path, third);
    EXPECT_EQ(TabBar().Active()->path, second);
}

TEST_F(SessionTest, ASecondLoadNeitherDuplicatesTabsNorBookmarks) {
    Document* document = Open(MakeFile(L"a.txt"));
    ASSERT_NE(document, nullptr);
    document->view->Call(SCI_MARKERADD, 0, 1);
    document->view->Call(SCI_MARKERADD, 7, 1);
    Open(MakeFile(L"b.txt"));
    const std::wstring sessionPath = folder_.File(L"s.xml");
    ASSERT_TRUE(SaveSession(sessionPath));

    EXPECT_EQ(LoadSession(sessionPath), 2);
    EXPECT_EQ(LoadSession(sessionPath), 2);
    ASSERT_EQ(TabBar().Count(), 2);
    const EditorView& view = *TabBar().At(0)->view;
    EXPECT_EQ(Bookmarks(*TabBar().At(0)), (std::vector<int>{0, 7}));
    // One toggle takes the bookmark away: no second marker was stacked on the line.
    view.Call(SCI_MARKERDELETE, 7, 1);
    EXPECT_EQ(view.Call(SCI_MARKERGET, 7) & 2, 0);
}

TEST_F(SessionTest, ASessionOfOneNewDocumentReopensOneEmptyDocument) {
    NewDocument(nullptr);
    const std::wstring sessionPath = folder_.File(L"s.xml");
    ASSERT_TRUE(SaveSession(sessionPath));
    EXPECT_NE(ReadFileBytes(sessionPath).find("<kelpo>\r\n\t<file cursel=\"1\" />\r\n</kelpo>"), std::string::npos);

    CloseAllTabs();
    EXPECT_EQ(LoadSession(sessionPath), 1);
    ASSERT_EQ(TabBar().Count(), 1);
    EXPECT_FALSE(TabBar().At(0)->HasPath());
    EXPECT_EQ(TabBar().At(0)->view->Call(SCI_GETLENGTH), 0);
}

TEST_F(SessionTest, ForeignMalformedAndOverlongSessionsOpenNothing) {
    MakeFile(L"a.txt");
    const std::string fileName = "a.txt";
    const std::wstring sessionPath = folder_.File(L"s.xml");
    const std::string folderUtf8(folder_.Path().begin(), folder_.Path().end());  // the temporary folder is ASCII

    WriteFileBytes(sessionPath, "<other><file>" + folderUtf8 + fileName + "</file></other>");
    EXPECT_EQ(LoadSession(sessionPath), 0);
    // The parse fails only after the tabs were read: still nothing opens.
    WriteFileBytes(sessionPath, "<kelpo><file>" + folderUtf8 + fileName + "</file></kelpo><!DOCTYPE x");
    EXPECT_EQ(LoadSession(sessionPath), 0);
    EXPECT_EQ(LoadSession(folder_.File(L"missing.xml")), 0);
    // A folder is not a file to open.
    WriteFileBytes(sessionPath, "<kelpo><file>" + folderUtf8 + "</file></kelpo>");
    EXPECT_EQ(LoadSession(sessionPath), 0);
    EXPECT_EQ(TabBar().Count(), 0);

    // A path of 259 characters opens; the same path with more behind it is skipped, not cut.
    const std::size_t room = 259 - folder_.Path().size();
    const std::string name(room, 'n');
    const std::wstring longest = folder_.File(std::wstring(name.begin(), name.end()));
    ASSERT_EQ(longest.size(), 259u);
    WriteFileBytes(longest, "x");
    ASSERT_TRUE(FileExists(longest));
    WriteFileBytes(sessionPath, "<kelpo><file>" + folderUtf8 + name + "tail</file></kelpo>");
    EXPECT_EQ(LoadSession(sessionPath), 0);
    EXPECT_EQ(TabBar().Count(), 0);
    WriteFileBytes(sessionPath, "<kelpo><file>" + folderUtf8 + name + "</file></kelpo>");
    EXPECT_EQ(LoadSession(sessionPath), 1);
}

TEST_F(SessionTest, OutOfRangeViewStateIsHeldToTheDocument) {
    const std::wstring path = MakeFile(L"short.txt", 3);
    const std::string pathUtf8(path.begin(), path.end());
    const std::wstring sessionPath = folder_.File(L"s.xml");
    WriteFileBytes(sessionPath, "<kelpo><file active=\"1\" line=\"-5\" startpos=\"-9\" endpos=\"999999\" xoffset=\"-3\" "
                                "mark=\"1,x,,400\" cursel=\"1\">" + pathUtf8 + "</file></kelpo>");
    EXPECT_EQ(LoadSession(sessionPath), 1);
    const Document& document = *TabBar().At(0);
    const EditorView& view = *document.view;
    EXPECT_EQ(view.Call(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(view.Call(SCI_GETSELECTIONEND), view.Call(SCI_GETLENGTH));
    EXPECT_EQ(view.Call(SCI_GETXOFFSET), 0);
    EXPECT_EQ(Bookmarks(document), std::vector<int>{1});
    // "active" on an ordinary file does not make it a project.
    EXPECT_EQ(document.kind, DocumentKind::Ordinary);
    EXPECT_FALSE(ActiveProjectExists());
}

TEST_F(SessionTest, TheActiveProjectComesBack) {
    const std::wstring first = MakeFile(L"first.tvk");
    const std::wstring second = MakeFile(L"second.tvk");
    Open(first);
    Document* chosen = Open(second);
    ASSERT_NE(chosen, nullptr);
    ASSERT_EQ(chosen->kind, DocumentKind::Project);
    MakeActiveProject(*chosen);
    const std::wstring sessionPath = folder_.File(L"s.xml");
    ASSERT_TRUE(SaveSession(sessionPath));
    const std::string xml = ReadFileBytes(sessionPath);
    // Only the second file, the chosen project, is marked.
    const std::size_t active = xml.find("active=\"1\"");
    ASSERT_NE(active, std::string::npos) << xml;
    EXPECT_GT(active, xml.find("first.tvk")) << xml;

    CloseAllTabs();
    EXPECT_EQ(LoadSession(sessionPath), 2);
    EXPECT_EQ(TabBar().At(0)->kind, DocumentKind::Project);
    EXPECT_EQ(TabBar().At(1)->kind, DocumentKind::ActiveProject);
}

TEST_F(SessionTest, CommandsSaveAndOpenASessionFileChosenInTheirDialogs) {
    const std::wstring path = MakeFile(L"a.txt");
    Open(path);
    const std::wstring sessionPath = folder_.File(L"s\u00e9ance \u65e5\u672c.xml");
    RunWithFileDialog(window_, 12, sessionPath);
    ASSERT_TRUE(g_dialogSeen);
    ASSERT_TRUE(FileExists(sessionPath));

    CloseAllTabs();
    RunWithFileDialog(window_, 11, sessionPath);
    ASSERT_TRUE(g_dialogSeen);
    ASSERT_EQ(TabBar().Count(), 1);
    EXPECT_EQ(TabBar().At(0)->path, path);
}

TEST_F(SessionTest, ClosingTheWindowWritesTheSessionOnlyWhenAsked) {
    const std::wstring path = MakeFile(L"kept.txt");
    Open(path);
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    ASSERT_FALSE(::IsWindow(window_));
    const std::string xml = ReadFileBytes(App().paths.sessionFile);
    const std::string pathUtf8(path.begin(), path.end());
    EXPECT_NE(xml.find(">" + pathUtf8 + "</file>"), std::string::npos) << xml;
}

TEST_F(SessionTest, NoSessionIsWrittenWhenTheOptionIsOff) {
    App().settings.config1 &= ~kC1Session;
    Open(MakeFile(L"kept.txt"));
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(FileExists(App().paths.sessionFile));
}

}  // namespace
}  // namespace kelpo
