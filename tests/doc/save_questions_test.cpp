// The save question, the save and open dialogs and the commands around them (3, 8, 9).
#include <gtest/gtest.h>

#include "app/commands.h"
#include "doc/document_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_dialogs.h"
#include "doc/file_save.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::ReadFileBytes;
using doc_test::ReplaceViewText;
using doc_test::WriteFileBytes;

std::wstring TabText(int index) {
    wchar_t text[261] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 261;
    ::SendMessageW(Tabs()->TabControl(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

int TabImage(int index) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    ::SendMessageW(Tabs()->TabControl(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

class SaveQuestionsTest : public doc_test::MainWindowTest {
protected:
    Document& OpenChanged(const std::wstring& name) {
        const std::wstring path = files_.File(name);
        WriteFileBytes(path, "old");
        Document* document = OpenDocument(path);
        EXPECT_NE(document, nullptr);
        ReplaceViewText(*document, "new");
        return *document;
    }
};

TEST_F(SaveQuestionsTest, TheQuestionSavesSkipsOrCancels) {
    Document& document = OpenChanged(L"asked.txt");
    messages_.Answer(IDCANCEL);
    EXPECT_FALSE(AskSave(document, true));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_NE(messages_.Messages()[0].text.find(document.path), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(document.path), "old");

    messages_.Answer(IDNO);
    EXPECT_TRUE(AskSave(document, true));
    EXPECT_EQ(ReadFileBytes(document.path), "old");
    EXPECT_TRUE(document.modified);

    EXPECT_EQ(TabImage(0), 6);  // the modified mark
    messages_.Answer(IDYES);
    EXPECT_TRUE(AskSave(document, true));
    EXPECT_EQ(ReadFileBytes(document.path), "new");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(TabImage(0), 0);

    messages_.Clear();
    EXPECT_TRUE(AskSave(document, true));  // nothing to save, nothing asked
    ReplaceViewText(document, "newer");
    EXPECT_TRUE(AskSave(document, false));
    EXPECT_EQ(ReadFileBytes(document.path), "newer");
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(SaveQuestionsTest, ANewDocumentIsSavedThroughTheDialogAndTakesItsName) {
    Document* document = NewDocument(nullptr);
    ASSERT_NE(document, nullptr);
    ReplaceViewText(*document, "[project]\r\n");
    const std::wstring untitled = document->displayName;
    const std::wstring path = files_.File(L"build.tvk");
    std::wstring proposed;
    SetSaveDialogHook([&](const Document& asked) -> std::optional<std::wstring> {
        proposed = asked.displayName;
        return path;
    });
    messages_.Answer(IDYES);
    EXPECT_TRUE(AskSave(*document, true));
    EXPECT_EQ(proposed, untitled);
    EXPECT_EQ(ReadFileBytes(path), "[project]\r\n");
    EXPECT_EQ(document->path, path);
    EXPECT_EQ(document->displayName, L"build.tvk");
    EXPECT_EQ(document->kind, DocumentKind::ActiveProject);
    EXPECT_FALSE(document->modified);
    EXPECT_EQ(TabText(0), L"build.tvk");
    wchar_t title[300] = {};
    ::GetWindowTextW(window_, title, 300);
    EXPECT_EQ(std::wstring(title), path + L" - Kelpo");
}

TEST_F(SaveQuestionsTest, CancellingTheDialogAfterYesKeepsTheDocumentOpen) {
    Document* document = NewDocument(nullptr);
    ASSERT_NE(document, nullptr);
    ReplaceViewText(*document, "unsaved work");
    SetSaveDialogHook([](const Document&) -> std::optional<std::wstring> { return std::nullopt; });
    messages_.Answer(IDYES);
    EXPECT_FALSE(AskSave(*document, true));
    EXPECT_TRUE(document->modified);

    messages_.Answer(IDYES);
    CloseActiveTab();
    EXPECT_EQ(Tabs()->Count(), 1);

    // Without a question (command 8, save all) nothing closes, so the others go on.
    EXPECT_TRUE(AskSave(*document, false));
    EXPECT_TRUE(document->modified);
}

TEST_F(SaveQuestionsTest, SaveAsCommandWritesTheChosenFileAndRenamesTheTab) {
    Document& document = OpenChanged(L"first.txt");
    const std::wstring first = document.path;
    const std::wstring second = files_.File(L"second.cpp");
    SetSaveDialogHook([&](const Document&) -> std::optional<std::wstring> { return second; });
    ::SendMessageW(window_, WM_COMMAND, kCmdSaveAs, 0);
    EXPECT_EQ(ReadFileBytes(second), "new");
    EXPECT_EQ(ReadFileBytes(first), "old");
    EXPECT_EQ(document.path, second);
    EXPECT_EQ(TabText(0), L"second.cpp");
    EXPECT_FALSE(document.modified);

    // A read-only document saved under a new name can be edited there.
    const std::wstring locked = files_.File(L"locked.txt");
    WriteFileBytes(locked, "read only");
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    Document* readOnly = OpenDocument(locked);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_TRUE(readOnly->readOnly);
    const std::wstring copy = files_.File(L"writable.txt");
    SetSaveDialogHook([&](const Document&) -> std::optional<std::wstring> { return copy; });
    EXPECT_TRUE(SaveAs(*readOnly));
    EXPECT_FALSE(readOnly->readOnly);
    EXPECT_EQ(readOnly->view->Call(SCI_GETREADONLY), 0);
    EXPECT_EQ(ReadFileBytes(copy), "read only");

    SetSaveDialogHook([](const Document&) -> std::optional<std::wstring> { return std::nullopt; });
    EXPECT_FALSE(SaveAs(*readOnly));
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(SaveQuestionsTest, SaveCommandSavesWithoutAsking) {
    Document& document = OpenChanged(L"saved.txt");
    ::SendMessageW(window_, WM_COMMAND, kCmdSave, 0);
    EXPECT_EQ(ReadFileBytes(document.path), "new");
    EXPECT_FALSE(document.modified);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(SaveQuestionsTest, OpenCommandOpensEveryChosenFileInTurn) {
    std::vector<std::wstring> chosen;
    for (const wchar_t* name : {L"one.txt", L"two.c", L"three.h"}) {
        chosen.push_back(files_.File(name));
        WriteFileBytes(chosen.back(), "text");
    }
    SetOpenDialogHook([&] { return chosen; });
    ::SendMessageW(window_, WM_COMMAND, kCmdOpen, 0);
    ASSERT_EQ(Tabs()->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Tabs()->At(i)->path, chosen[i]);
    }
    EXPECT_EQ(Tabs()->ActiveIndex(), 2);
    Tabs()->Activate(0, true);  // the files before the last are read when first shown
    EXPECT_EQ(doc_test::ViewText(*Tabs()->At(0)), "text");

    SetOpenDialogHook([] { return std::vector<std::wstring>(); });  // cancelled
    ::SendMessageW(window_, WM_COMMAND, kCmdOpen, 0);
    EXPECT_EQ(Tabs()->Count(), 3);
}

}  // namespace
}  // namespace kelpo
