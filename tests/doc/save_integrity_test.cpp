// Saving keeps what the user has: characters the ANSI code page cannot hold, bytes it did not
// read back, changes made on disk by another program, a changed encoding through undo, the
// identity of hard-linked files, one tab per file whatever its spelling.
#include <gtest/gtest.h>

#include "Scintilla.h"
#include "base/file_write.h"
#include "base/status_message.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_dialogs.h"
#include "doc/file_save.h"
#include "doc/format_menus.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::ReadFileBytes;
using doc_test::ReplaceViewText;
using doc_test::ViewText;
using doc_test::WriteFileBytes;

class SaveIntegrityTest : public doc_test::MainWindowTest {
protected:
    void TearDown() override {
        UseAnsiCodePage(CP_ACP);
        MainWindowTest::TearDown();
    }

    Document& Open(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = files_.File(name);
        WriteFileBytes(path, bytes);
        Document* document = OpenDocument(path);
        EXPECT_NE(document, nullptr);
        return *document;
    }

    bool LeftoverFiles() const {
        for (const std::wstring& name : files_.Names()) {
            if (name.rfind(kTemporaryFilePrefix, 0) == 0) return true;
        }
        return false;
    }
};

TEST_F(SaveIntegrityTest, CharactersTheAnsiCodePageCannotHoldAreNeverWrittenAsQuestionMarks) {
    UseAnsiCodePage(1252);
    const std::string original = "plain\r\n";
    Document& document = Open(L"ansi.txt", original);
    ASSERT_EQ(document.encoding, FileEncoding::Ansi);
    const std::string edited = "caf\xC3\xA9 \xE2\x86\x92 \xCE\xA9 \xE4\xB8\xAD\r\n";  // "café → Ω 中"

    ReplaceViewText(document, edited);
    messages_.Answer(IDNO);  // keep ANSI: nothing is written
    EXPECT_FALSE(SaveFile(document, document.path));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(ReadFileBytes(document.path), original);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.encoding, FileEncoding::Ansi);

    messages_.Answer(IDYES);  // save in UTF-8 instead
    EXPECT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), edited);
    EXPECT_EQ(document.encoding, FileEncoding::Utf8);
    EXPECT_FALSE(document.modified);

    // What the code page can hold is saved without a question.
    ASSERT_TRUE(ChangeEncoding(document, FileEncoding::Ansi));
    ReplaceViewText(document, "caf\xC3\xA9\r\n");
    messages_.Clear();
    EXPECT_TRUE(SaveFile(document, document.path));
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(ReadFileBytes(document.path), "caf\xE9\r\n");
}

TEST_F(SaveIntegrityTest, BytesADoubleByteCodePageCannotReadBackAreReportedAndSavingAsks) {
    UseAnsiCodePage(932);
    const std::string original = "caf\xE9\r\n";  // a lone lead byte in code page 932
    Document& document = Open(L"sjis.txt", original);
    ASSERT_EQ(document.encoding, FileEncoding::Ansi);
    EXPECT_NE(LastStatusMessage().find(L"not valid in the ANSI code page"), std::wstring::npos);

    ReplaceViewText(document, ViewText(document) + "x");
    messages_.Answer(IDCANCEL);
    EXPECT_FALSE(SaveFile(document, document.path));
    EXPECT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(ReadFileBytes(document.path), original);
    EXPECT_TRUE(document.modified);

    // A file that reads back whole asks nothing.
    Document& valid = Open(L"valid.txt", "\x83\x65\x83\x58\x83\x67\r\n");  // "テスト"
    messages_.Clear();
    ReplaceViewText(valid, ViewText(valid) + "!");
    EXPECT_TRUE(SaveFile(valid, valid.path));
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(ReadFileBytes(valid.path), "\x83\x65\x83\x58\x83\x67\r\n!");
}

TEST_F(SaveIntegrityTest, AFileChangedByAnotherProgramIsNotOverwrittenWithoutAsking) {
    Document& document = Open(L"shared.txt", "first\r\n");
    ReplaceViewText(document, "mine\r\n");
    WriteFileBytes(document.path, "theirs\r\n");
    doc_test::ShiftLastWriteTime(document.path, 5);

    messages_.Answer(IDCANCEL);
    EXPECT_FALSE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "theirs\r\n");
    EXPECT_TRUE(document.modified);

    messages_.Answer(IDNO);  // load theirs
    EXPECT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ViewText(document), "theirs\r\n");
    EXPECT_FALSE(document.modified);

    ReplaceViewText(document, "mine again\r\n");
    WriteFileBytes(document.path, "theirs again\r\n");
    doc_test::ShiftLastWriteTime(document.path, 10);
    messages_.Answer(IDYES);  // overwrite
    EXPECT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "mine again\r\n");
    EXPECT_EQ(messages_.Messages().size(), 3u);

    // The close question goes the same way: cancelling the outside-change question keeps the tab.
    ReplaceViewText(document, "unsaved\r\n");
    doc_test::ShiftLastWriteTime(document.path, 15);
    messages_.Answer(IDYES);     // save before closing
    messages_.Answer(IDCANCEL);  // but not over their change
    CloseActiveTab();
    EXPECT_EQ(Tabs()->Count(), 1);
    EXPECT_EQ(ReadFileBytes(document.path), "mine again\r\n");
}

TEST_F(SaveIntegrityTest, AChangedEncodingOrLineEndStaysModifiedThroughUndo) {
    Document& document = Open(L"enc.txt", "text\r\n");
    ASSERT_TRUE(ChangeEncoding(document, FileEncoding::Utf8Bom));
    document.view->Call(SCI_ADDTEXT, 1, reinterpret_cast<sptr_t>("x"));
    document.view->Call(SCI_UNDO);
    EXPECT_TRUE(document.modified) << "undo of the typing does not undo the encoding";
    ASSERT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "\xEF\xBB\xBFtext\r\n");
    document.view->Call(SCI_ADDTEXT, 1, reinterpret_cast<sptr_t>("y"));
    document.view->Call(SCI_UNDO);
    EXPECT_FALSE(document.modified) << "a save ends the changed state";

    Document& lines = Open(L"eol.txt", "a\r\nb\r\n");
    ChangeLineEnds(lines, LineEndMode::Lf);
    lines.view->Call(SCI_UNDO);
    EXPECT_TRUE(lines.modified);
}

TEST_F(SaveIntegrityTest, AHardLinkedFileKeepsItsIdentityAndEveryNameSeesTheSave) {
    Document& document = Open(L"linked.txt", "old\r\n");
    const std::wstring other = files_.File(L"other name.txt");
    ASSERT_TRUE(::CreateHardLinkW(other.c_str(), document.path.c_str(), nullptr));

    ReplaceViewText(document, "new\r\n");
    ASSERT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(other), "new\r\n");
    EXPECT_FALSE(LeftoverFiles());

    // A write that fails midway puts the old bytes back under both names.
    ReplaceViewText(document, std::string(100000, 'z'));
    int calls = 0;
    SetWriteCall([&](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
        if (++calls == 2) {  // the first write is the backup copy, the second the file itself
            ::WriteFile(file, data, size / 2, written, nullptr);
            return FALSE;
        }
        return ::WriteFile(file, data, size, written, nullptr);
    });
    EXPECT_FALSE(SaveFile(document, document.path));
    SetWriteCall(nullptr);
    EXPECT_EQ(ReadFileBytes(document.path), "new\r\n");
    EXPECT_EQ(ReadFileBytes(other), "new\r\n");
    EXPECT_FALSE(LeftoverFiles());
    EXPECT_TRUE(document.modified);

    // The other name opens the tab that is already there.
    EXPECT_EQ(OpenDocument(other), &document);
}

TEST_F(SaveIntegrityTest, ANameMadeForTheSavedFileFindsItsTab) {
    Document& document = Open(L"replaced.txt", "old\r\n");
    Open(L"beside.txt", "x\r\n");  // opening it looked at the first file's identity
    ReplaceViewText(document, "new\r\n");
    ASSERT_TRUE(SaveFile(document, document.path));  // a new file took the name
    const std::wstring other = files_.File(L"second name.txt");
    ASSERT_TRUE(::CreateHardLinkW(other.c_str(), document.path.c_str(), nullptr));
    EXPECT_EQ(OpenDocument(other), &document);
}

TEST_F(SaveIntegrityTest, ASymbolicLinkStaysALink) {
    Document& target = Open(L"target.txt", "old\r\n");
    const std::wstring link = files_.File(L"link.txt");
    if (!::CreateSymbolicLinkW(link.c_str(), target.path.c_str(), 0) || ReadFileBytes(link) != "old\r\n") {
        GTEST_SKIP() << "symbolic links cannot be made or followed here";
    }
    CloseActiveTab();
    Document* document = OpenDocument(link);
    ASSERT_NE(document, nullptr);
    ReplaceViewText(*document, "new\r\n");
    ASSERT_TRUE(SaveFile(*document, document->path));
    EXPECT_EQ(ReadFileBytes(files_.File(L"target.txt")), "new\r\n");
}

TEST_F(SaveIntegrityTest, OneFileGetsOneTabWhateverItsSpelling) {
    Document& document = Open(L"a rather long file name.txt", "text\r\n");
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameW(document.path.c_str(), shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH && document.path != shortPath) {
        EXPECT_EQ(OpenDocument(shortPath), &document);
        EXPECT_EQ(Tabs()->Count(), 1);
    }

    // Save As onto a file open in another tab asks to close that tab first.
    Document* fresh = NewDocument(nullptr);
    ASSERT_NE(fresh, nullptr);
    ReplaceViewText(*fresh, "replacement\r\n");
    const std::wstring path = document.path;
    SetSaveDialogHook([&](const Document&) -> std::optional<std::wstring> { return path; });
    messages_.Answer(IDCANCEL);
    EXPECT_FALSE(SaveAs(*fresh));
    EXPECT_EQ(Tabs()->Count(), 2);
    EXPECT_EQ(ReadFileBytes(path), "text\r\n");
    messages_.Answer(IDOK);
    EXPECT_TRUE(SaveAs(*fresh));
    EXPECT_EQ(Tabs()->Count(), 1);
    EXPECT_EQ(Tabs()->At(0), fresh);
    EXPECT_EQ(ReadFileBytes(path), "replacement\r\n");
}

TEST_F(SaveIntegrityTest, AFolderTooLongForTheTemporaryNameIsStillNeverOverwrittenInPlace) {
    // The file's path fits, the temporary name beside it does not.
    std::wstring folder = files_.Path();
    while (folder.size() < 246) {
        const std::size_t remaining = 246 - folder.size();
        folder += std::wstring(remaining > 61 ? 50 : remaining - 1, L'd') + L"\\";
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring path = folder + L"f.txt";
    ASSERT_LE(path.size(), 259u);
    ASSERT_GT(folder.size() + std::wstring(L"~kelpo12345678.tmp").size(), 259u);
    WriteFileBytes(path, "old\r\n");
    Document* document = OpenDocument(path);
    ASSERT_NE(document, nullptr);
    ReplaceViewText(*document, std::string(50000, 'n'));
    SetWriteCall([](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
        ::WriteFile(file, data, size / 2, written, nullptr);
        return FALSE;
    });
    EXPECT_FALSE(SaveFile(*document, path));
    SetWriteCall(nullptr);
    EXPECT_EQ(ReadFileBytes(path), "old\r\n");
    EXPECT_TRUE(SaveFile(*document, path));
    EXPECT_EQ(ReadFileBytes(path), std::string(50000, 'n'));
}

}  // namespace
}  // namespace kelpo
