// Saving never loses what is on disk or in the editor: failed and short writes, hidden and
// read-only files, files held open by another program, new files and the stored file time.
#include <gtest/gtest.h>

#include "base/file_write.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_change_check.h"
#include "doc/file_save.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::AttributesOf;
using doc_test::ReadFileBytes;
using doc_test::WriteFileBytes;

class FileSaveSafetyTest : public doc_test::MainWindowTest {
protected:
    Document& OpenWithChange(const std::wstring& name, const std::string& onDisk, const std::string& edited) {
        const std::wstring path = files_.File(name);
        WriteFileBytes(path, onDisk);
        Document* document = OpenDocument(path);
        EXPECT_NE(document, nullptr);
        doc_test::ReplaceViewText(*document, edited);
        return *document;
    }

    bool TemporaryFilesRemain() const {
        for (const std::wstring& name : files_.Names()) {
            if (name.rfind(kTemporaryFilePrefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    void ExpectOneMessageNaming(const std::wstring& path) {
        ASSERT_EQ(messages_.Messages().size(), 1u);
        EXPECT_NE(messages_.Messages()[0].text.find(path), std::wstring::npos);
        messages_.Clear();
    }
};

TEST_F(FileSaveSafetyTest, AFailedOrShortWriteMidwayKeepsTheOldFileAndTheChanges) {
    const std::string original = "the file as it was\r\n";
    const std::string edited(3 * 1024 * 1024, 'n');
    Document& document = OpenWithChange(L"keep.txt", original, edited);

    // Half the bytes really reach the disk, then the write reports a short count.
    SetWriteCall([](HANDLE file, const void* data, DWORD size, DWORD* written) {
        ::WriteFile(file, data, size / 2, written, nullptr);
        return TRUE;
    });
    EXPECT_FALSE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), original);
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(doc_test::ViewText(document), edited);
    ExpectOneMessageNaming(document.path);

    // Part of the bytes reach the disk, then the disk is full.
    SetWriteCall([](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
        ::WriteFile(file, data, size / 3, written, nullptr);
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    });
    EXPECT_FALSE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), original);
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_TRUE(document.modified);
    ExpectOneMessageNaming(document.path);

    SetWriteCall(nullptr);
    EXPECT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), edited);
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FileSaveSafetyTest, AHiddenFileIsSavedAndStaysHidden) {
    Document& document = OpenWithChange(L"hidden.txt", "old", "new text");
    ASSERT_TRUE(::SetFileAttributesW(document.path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "new text");
    EXPECT_TRUE(AttributesOf(document.path) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(TemporaryFilesRemain());

    // A plain file does not take on the temporary file's hidden attribute.
    Document& plain = OpenWithChange(L"plain.txt", "old", "new");
    ASSERT_TRUE(SaveFile(plain, plain.path));
    EXPECT_FALSE(AttributesOf(plain.path) & FILE_ATTRIBUTE_HIDDEN);

    // Writing in place keeps the attributes too, and a short write puts the old bytes back.
    EXPECT_TRUE(WriteInPlaceWithBackup(document.path, "in place").Written());
    EXPECT_EQ(ReadFileBytes(document.path), "in place");
    EXPECT_TRUE(AttributesOf(document.path) & FILE_ATTRIBUTE_HIDDEN);
    int calls = 0;
    SetWriteCall([&](HANDLE file, const void* data, DWORD size, DWORD* written) {
        if (++calls == 2) {  // the backup copy is written first
            *written = 1;
            return TRUE;
        }
        return ::WriteFile(file, data, size, written, nullptr);
    });
    EXPECT_FALSE(WriteInPlaceWithBackup(document.path, "short").Written());
    EXPECT_EQ(ReadFileBytes(document.path), "in place");
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FileSaveSafetyTest, AReadOnlyFileIsNotSaved) {
    Document& document = OpenWithChange(L"locked.txt", "old", "new");
    ASSERT_TRUE(::SetFileAttributesW(document.path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "old");
    EXPECT_TRUE(AttributesOf(document.path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(document.modified);
    EXPECT_FALSE(TemporaryFilesRemain());
    ExpectOneMessageNaming(document.path);
}

TEST_F(FileSaveSafetyTest, AFileHeldOpenByAnotherProgramIsWrittenInPlaceWithABackup) {
    Document& document = OpenWithChange(L"shared.txt", "old contents", "new");
    // Open for reading and writing by others, but not for deleting or renaming: no swap.
    HANDLE other = ::CreateFileW(document.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SaveFile(document, document.path));
    ::CloseHandle(other);
    EXPECT_EQ(ReadFileBytes(document.path), "new");
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FileSaveSafetyTest, ANewFileIsCreatedVisibleAndItsTimeIsKept) {
    const std::wstring source = files_.File(L"source.txt");
    WriteFileBytes(source, "text");
    Document* document = OpenDocument(source);
    ASSERT_NE(document, nullptr);
    const FILETIME read = doc_test::LastWriteTime(source);
    const std::wstring target = files_.File(L"new name.txt");
    ASSERT_TRUE(SaveFile(*document, target));
    EXPECT_EQ(ReadFileBytes(target), "text");
    EXPECT_FALSE(AttributesOf(target) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(TemporaryFilesRemain());
    EXPECT_EQ(::CompareFileTime(&document->fileTime, &read), 0) << "a copy elsewhere is not the document's file";

    // After saving over its own file, the change check finds nothing to ask about.
    doc_test::ReplaceViewText(*document, "changed");
    ASSERT_TRUE(SaveFile(*document, source));
    const FILETIME saved = doc_test::LastWriteTime(source);
    EXPECT_EQ(::CompareFileTime(&document->fileTime, &saved), 0);
    CheckFileChanged(*document);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FileSaveSafetyTest, SavingOverAFolderFails) {
    Document& document = OpenWithChange(L"file.txt", "old", "new");
    const std::wstring folder = files_.File(L"folder");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(SaveFile(document, folder));
    EXPECT_TRUE(AttributesOf(folder) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(document.modified);
    ExpectOneMessageNaming(folder);
}

}  // namespace
}  // namespace kelpo
