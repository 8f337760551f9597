// The result panes of the real main window: Find All of one or all documents, Find in Files on
// its worker, Stop, and the double click that opens a result line's file at its line.
#include <gtest/gtest.h>

#include <string>

#include "aids/result_panes.h"
#include "aids/search_actions.h"
#include "aids/search_commands.h"
#include "aids/search_options.h"
#include "base/app_state.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

class ResultPanesTest : public test::MainWindowFixture {
protected:
    std::vector<std::wstring> Lines(int pane) const {
        std::vector<std::wstring> lines;
        for (int i = 0; i < ResultLineCount(pane); ++i) {
            lines.push_back(ResultLineText(pane, i));
        }
        return lines;
    }

    std::wstring MakeFile(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = folder_.File(name);
        test::WriteFileBytes(path, bytes);
        return path;
    }

    static std::pair<int, int> Caret(const Document& document) { return test::CaretLineColumn(document); }
};

TEST_F(ResultPanesTest, FindAllListsEveryMatchOfOneOrAllDocumentsAndOpensItsLine) {
    const std::wstring path = MakeFile(L"a.txt", "cat\r\nno\r\ncat and cat\r\n");
    Document* file = OpenDocument(path);
    Document* untitled = NewDocument(nullptr);
    ASSERT_NE(file, nullptr);
    ASSERT_NE(untitled, nullptr);
    untitled->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("x\r\nthe cat\r\n"));
    CurrentSearchTexts().find = L"cat";
    App().settings.searchFlags = kSearchToPane2;

    EXPECT_EQ(FindAllToResultPane(false), 1) << "the active document only";
    EXPECT_EQ(Lines(1), (std::vector<std::wstring>{untitled->displayName + L"(2): the cat",
                                                   FormatSearchSummary(1, 1, 1)}));
    EXPECT_EQ(FindAllToResultPane(true), 4);
    const std::vector<std::wstring> lines = Lines(1);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], path + L"(1): cat");
    EXPECT_EQ(lines[1], path + L"(3): cat and cat");
    EXPECT_EQ(lines[2], path + L"(3): cat and cat");
    EXPECT_EQ(lines[4], FormatSearchSummary(4, 2, 3)) << "the start-up document is searched too";
    EXPECT_EQ(ResultLineCount(0), 0) << "pane 1 was left alone";

    ASSERT_TRUE(OpenResultLine(1, 1));
    EXPECT_EQ(Tabs()->Active(), file);
    EXPECT_EQ(Caret(*file).first, 3);
    ASSERT_TRUE(OpenResultLine(1, 3));  // the untitled document is found by what the line carries
    EXPECT_EQ(Tabs()->Active(), untitled);
    EXPECT_EQ(Caret(*untitled).first, 2);
    EXPECT_FALSE(OpenResultLine(1, 4)) << "the summary names no file";
}

TEST_F(ResultPanesTest, FindInFilesListsTrueLinesFollowsTheFilterAndOpensTheResult) {
    MakeFile(L"main.c", std::string(1000, 'x') + "\nint cat = 1;\n");
    MakeFile(L"notes.txt", "cat\n");
    ::CreateDirectoryW(folder_.File(L"sub").c_str(), nullptr);
    MakeFile(L"sub\\deep.h", "cat\n");
    FindInFilesRequest request;
    request.text = L"cat";
    request.filter = L"*.c;*.h";
    request.folder = folder_.Path();
    request.subfolders = false;
    request.pane = 0;
    ASSERT_TRUE(StartFindInFiles(request));
    WaitForSearch(0);
    EXPECT_EQ(Lines(0), (std::vector<std::wstring>{folder_.File(L"main.c") + L"(2): int cat = 1;",
                                                   FormatSearchSummary(1, 1, 1)}));
    ASSERT_TRUE(OpenResultLine(0, 0));
    ASSERT_NE(Tabs()->Active(), nullptr);
    EXPECT_EQ(Tabs()->Active()->path, folder_.File(L"main.c"));
    EXPECT_EQ(Caret(*Tabs()->Active()).first, 2);

    request.subfolders = true;
    ASSERT_TRUE(StartFindInFiles(request));
    WaitForSearch(0);
    EXPECT_EQ(ResultLineCount(0), 3);

    request.folder = folder_.File(L"missing");
    EXPECT_FALSE(StartFindInFiles(request));
    request.folder = folder_.Path();
    request.text = std::wstring(257, L'c');
    EXPECT_FALSE(StartFindInFiles(request));
}

TEST_F(ResultPanesTest, StopEndsTheSearchWithTheSummaryAndTheCancelledLine) {
    for (int i = 0; i < 1500; ++i) {
        MakeFile(L"f" + std::to_wstring(i) + L".txt", "cat\n");
    }
    FindInFilesRequest request;
    request.text = L"cat";
    request.folder = folder_.Path();
    request.pane = 1;
    ASSERT_TRUE(StartFindInFiles(request));
    StopResultPane(1);
    WaitForSearch(1);
    const std::vector<std::wstring> lines = Lines(1);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_LT(lines.size(), 1502u) << "the search stopped early";
    EXPECT_EQ(lines.back(), L"The search was cancelled.");
    EXPECT_NE(lines[lines.size() - 2].find(L" found in "), std::wstring::npos) << "the summary comes first";
    EXPECT_FALSE(ResultPaneRunning(1));
}

TEST_F(ResultPanesTest, ClosingTheWindowDuringASearchStopsItFirst) {
    for (int i = 0; i < 1500; ++i) {
        MakeFile(L"f" + std::to_wstring(i) + L".txt", "cat\n");
    }
    FindInFilesRequest request;
    request.text = L"cat";
    request.folder = folder_.Path();
    ASSERT_TRUE(StartFindInFiles(request));
    ASSERT_TRUE(::DestroyWindow(window_));  // waits for the worker while answering what it sends
    EXPECT_FALSE(ResultPaneRunning(0));
    EXPECT_EQ(ResultLineCount(0), 0) << "the pane went with the window";
}

}  // namespace
}  // namespace kelpo
