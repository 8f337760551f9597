// Outside changes to an open file: the reload question, reloading in place, and the cases in
// which nothing may be asked or lost.
#include <gtest/gtest.h>

#include "base/window_messages.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_change_check.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using doc_test::ViewText;
using doc_test::WriteFileBytes;

std::string NumberedLines(int count, const std::string& word) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + " " + word + "\r\n";
    }
    return text;
}

class FileChangeCheckTest : public doc_test::MainWindowTest {
protected:
    Document& OpenLines(const std::string& word) {
        path_ = files_.File(L"watched.txt");
        WriteFileBytes(path_, NumberedLines(1000, word));
        Document* document = OpenDocument(path_);
        EXPECT_NE(document, nullptr);
        return *document;
    }

    // Another program saves the file: new bytes and a later time.
    void ChangeOutside(const std::string& bytes) {
        WriteFileBytes(path_, bytes);
        doc_test::ShiftLastWriteTime(path_, 5);
    }

    std::wstring path_;
};

TEST_F(FileChangeCheckTest, ReloadKeepsTheCaretAndTheFirstVisibleLine) {
    Document& document = OpenLines("old");
    const EditorView& view = *document.view;
    const sptr_t caret = view.Call(SCI_POSITIONFROMLINE, 500) + 4;
    view.Call(SCI_SETSEL, caret, caret);
    view.Call(SCI_SETFIRSTVISIBLELINE, 480);
    ASSERT_EQ(view.Call(SCI_GETFIRSTVISIBLELINE), 480);

    ChangeOutside(NumberedLines(1000, "new"));
    messages_.Answer(IDOK);
    CheckActiveFileChanged();
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_NE(messages_.Messages()[0].text.find(path_), std::wstring::npos);
    EXPECT_EQ(ViewText(document), NumberedLines(1000, "new"));
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), caret);
    EXPECT_EQ(view.Call(SCI_GETFIRSTVISIBLELINE), 480);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(view.Call(SCI_CANUNDO), 0);
    const FILETIME written = doc_test::LastWriteTime(path_);
    EXPECT_EQ(::CompareFileTime(&document.fileTime, &written), 0);

    // One change, one question.
    CheckActiveFileChanged();
    EXPECT_EQ(messages_.Messages().size(), 1u);
}

TEST_F(FileChangeCheckTest, DecliningKeepsTheTextButTheChangeIsNotAskedAboutAgain) {
    Document& document = OpenLines("old");
    doc_test::ReplaceViewText(document, "my edits");
    ChangeOutside("outside edits");
    messages_.Answer(IDCANCEL);
    CheckFileChanged(document);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_NE(messages_.Messages()[0].text.find(L"lose"), std::wstring::npos);  // the edits are named
    EXPECT_EQ(ViewText(document), "my edits");
    EXPECT_TRUE(document.modified);
    CheckFileChanged(document);
    EXPECT_EQ(messages_.Messages().size(), 1u);

    ChangeOutside("outside again");
    messages_.Answer(IDOK);
    CheckFileChanged(document);
    EXPECT_EQ(ViewText(document), "outside again");
    EXPECT_FALSE(document.modified);
}

TEST_F(FileChangeCheckTest, AVanishedFileIsNotReportedUntilItComesBack) {
    Document& document = OpenLines("old");
    const FILETIME before = document.fileTime;
    ASSERT_TRUE(::DeleteFileW(path_.c_str()));
    CheckFileChanged(document);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(::CompareFileTime(&document.fileTime, &before), 0);
    EXPECT_EQ(ViewText(document), NumberedLines(1000, "old"));

    ChangeOutside("back again");
    messages_.Answer(IDOK);
    CheckFileChanged(document);
    EXPECT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(ViewText(document), "back again");
}

TEST_F(FileChangeCheckTest, AReloadThatCannotReadTheFileKeepsTheText) {
    Document& document = OpenLines("old");
    ChangeOutside("unreadable");
    HANDLE exclusive = ::CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    messages_.Answer(IDOK);
    CheckFileChanged(document);
    ::CloseHandle(exclusive);
    EXPECT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(ViewText(document), NumberedLines(1000, "old"));
}

TEST_F(FileChangeCheckTest, ActivationChecksThroughTheMainWindowMessage) {
    Document& document = OpenLines("old");
    ChangeOutside("shorter");
    const sptr_t farCaret = document.view->Call(SCI_POSITIONFROMLINE, 900);
    document.view->Call(SCI_SETSEL, farCaret, farCaret);
    messages_.Answer(IDOK);
    ::PostMessageW(window_, UM_CHECK_FILE, 0, 0);
    ASSERT_TRUE(doc_test::PumpUntil([&] { return !messages_.Messages().empty(); }, 5s));
    EXPECT_EQ(ViewText(document), "shorter");
    EXPECT_EQ(document.view->Call(SCI_GETCURRENTPOS), 0);  // beyond the new end: back at the start

    Document* untitled = NewDocument(nullptr);  // no file, nothing to compare
    ASSERT_NE(untitled, nullptr);
    CheckFileChanged(*untitled);
    EXPECT_EQ(messages_.Messages().size(), 1u);
}

}  // namespace
}  // namespace kelpo
