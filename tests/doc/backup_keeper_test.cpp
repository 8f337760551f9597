// Snapshots of unsaved documents with the real main window: written after a quiet while, gone
// when the text is safe, all gone at a normal exit, and brought back at the next start.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "app/startup.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "base/text_convert.h"
#include "doc/backup_keeper.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_change_check.h"
#include "doc/file_save.h"
#include "doc/snapshot_record.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;
using doc_test::FileExists;
using doc_test::MessageCatcher;
using doc_test::PumpUntil;
using doc_test::ReadFileBytes;
using doc_test::TempFolder;
using doc_test::ViewText;
using doc_test::WriteFileBytes;

std::vector<std::wstring> SnapshotsIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*.snapshot").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(folder + data.cFileName);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    return names;
}

std::optional<SnapshotRecord> ReadSnapshot(const std::wstring& path) { return DecodeSnapshot(ReadFileBytes(path)); }

void Type(Document& document, const char* text) {
    document.view->Call(SCI_DOCUMENTEND);
    document.view->Call(SCI_REPLACESEL, 0, reinterpret_cast<sptr_t>(text));
}

// A main window started on a program folder that the test prepares first (settings, what an
// earlier run left), as a start of kelpo.exe would find it.
class BackupTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(doc_test::EnsureWindowClasses());
        doc_test::ResetAppState(program_.Path());
        window_ = StartMainWindow(::GetModuleHandleW(nullptr), LoadSettings(App()));
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(PumpUntil([] { return !App().starting; }, 5s));
    }
    void TearDown() override {
        if (::IsWindow(window_)) {
            CloseAllTabs();
            ::DestroyWindow(window_);
        }
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    std::wstring BackupFolder() const { return program_.File(L"backup\\"); }

    // A run that ended without removing its snapshots: its lock file is there, but not held.
    std::wstring LeaveEndedRun(const std::wstring& run, const std::vector<std::string>& snapshots) {
        ::CreateDirectoryW(BackupFolder().c_str(), nullptr);
        const std::wstring folder = BackupFolder() + run + L"\\";
        ::CreateDirectoryW(folder.c_str(), nullptr);
        WriteFileBytes(BackupFolder() + run + L".lock", "");
        for (std::size_t i = 0; i < snapshots.size(); ++i) {
            WriteFileBytes(folder + SnapshotFileName(static_cast<std::uint32_t>(i + 1)), snapshots[i]);
        }
        return folder;
    }

    TempFolder program_;
    TempFolder files_;
    MessageCatcher messages_{IDNO};
    HWND window_ = nullptr;
};

std::string Snapshot(bool untitled, const std::wstring& name, const std::string& text) {
    SnapshotHeader header;
    header.untitled = untitled;
    header.name = WideToUtf8(name);
    header.encoding = FileEncoding::Utf8;
    header.lineEnd = LineEndMode::Lf;
    header.caret = static_cast<std::int64_t>(text.size());
    header.anchor = 0;
    return EncodeSnapshotHeader(header, text.size()) + text;
}

TEST_F(BackupTest, WritesSnapshotsOfModifiedDocumentsAQuietWhileAfterTheLastChange) {
    Start();
    const std::wstring path = files_.File(L"kept.c");
    WriteFileBytes(path, "int a;\n");
    Document* file = OpenDocument(path);
    Document* untitled = NewDocument(nullptr);
    ASSERT_NE(file, nullptr);
    ASSERT_NE(untitled, nullptr);
    Type(*file, "int b;\n");
    Type(*untitled, "notes");
    const std::wstring run = BackupRunFolder();
    ASSERT_FALSE(run.empty());
    EXPECT_TRUE(SnapshotsIn(run).empty()) << "written before the document was still";
    ASSERT_TRUE(PumpUntil([&] { return SnapshotsIn(run).size() == 2; }, 10s));

    bool sawFile = false;
    bool sawUntitled = false;
    for (const std::wstring& snapshot : SnapshotsIn(run)) {
        const std::optional<SnapshotRecord> record = ReadSnapshot(snapshot);
        ASSERT_TRUE(record.has_value());
        const Document& document = record->header.untitled ? *untitled : *file;
        (record->header.untitled ? sawUntitled : sawFile) = true;
        EXPECT_EQ(record->text, ViewText(document));
        EXPECT_EQ(Utf8ToWide(record->header.name), document.HasPath() ? document.path : document.displayName);
        EXPECT_EQ(record->header.caret, static_cast<std::int64_t>(record->text.size()));
    }
    EXPECT_TRUE(sawFile && sawUntitled);
    EXPECT_EQ(ReadFileBytes(path), "int a;\n");

    // A later change of a text already modified reaches the snapshot as well.
    Type(*untitled, " and more");
    auto untitledSnapshot = [&] {
        for (const std::wstring& snapshot : SnapshotsIn(run)) {
            if (const auto record = ReadSnapshot(snapshot); record && record->header.untitled) {
                return record->text;
            }
        }
        return std::string();
    };
    EXPECT_TRUE(PumpUntil([&] { return untitledSnapshot() == "notes and more"; }, 10s)) << untitledSnapshot();
}

TEST_F(BackupTest, RemovesTheSnapshotOnceTheTextIsSafe) {
    Start();
    const struct {
        const char* what;
        std::function<void(Document&)> action;
    } cases[] = {
        {"saved", [](Document& d) { EXPECT_TRUE(SaveFile(d, d.path)); }},
        {"reverted", [](Document& d) { EXPECT_TRUE(ReloadFile(d, d.path)); }},
        {"undone to the saved text", [](Document& d) { d.view->Call(SCI_UNDO); }},
        {"closed without saving", [](Document& d) { Tabs()->Remove(Tabs()->IndexOf(&d)); }},
    };
    for (const auto& c : cases) {
        const std::wstring path = files_.File(L"safe.txt");
        WriteFileBytes(path, "text");
        Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        Type(*document, " more");
        FlushBackups();
        ASSERT_EQ(SnapshotsIn(BackupRunFolder()).size(), 1u) << c.what;
        c.action(*document);
        FlushBackups();
        EXPECT_TRUE(SnapshotsIn(BackupRunFolder()).empty()) << c.what;
        CloseAllTabs();
    }
}

TEST_F(BackupTest, ANormalExitLeavesNothingAndAnEndWithoutItLeavesTheRun) {
    for (const bool normalExit : {true, false}) {
        Start();
        Type(*NewDocument(nullptr), "unsaved");
        FlushBackups();
        const std::wstring run = BackupRunFolder();
        const std::wstring lock = run.substr(0, run.size() - 1) + L".lock";
        ASSERT_EQ(SnapshotsIn(run).size(), 1u);
        if (normalExit) {
            ::SendMessageW(window_, WM_CLOSE, 0, 0);  // the save question is answered No
            EXPECT_FALSE(::IsWindow(window_));
            EXPECT_FALSE(FileExists(BackupFolder())) << "the backup folder is left empty";
        } else {
            ::DestroyWindow(window_);
            EXPECT_EQ(SnapshotsIn(run).size(), 1u);
            EXPECT_TRUE(FileExists(lock));
        }
        TearDown();
    }
}

TEST_F(BackupTest, RestoresWhatEndedRunsLeftAfterTheSessionAndLeavesLiveRunsAlone) {
    const std::wstring path = files_.File(L"on disk.c");
    WriteFileBytes(path, "int disk;\r\n");
    const std::wstring ended = L"run-7-0000000000000001";
    const std::string damaged = Snapshot(true, L"Untitled 2", "cut short").substr(0, 60);
    const std::wstring endedFolder = LeaveEndedRun(
        ended, {Snapshot(false, path, "int edited;\n"), Snapshot(true, L"Untitled 1", "untitled text"), damaged});
    WriteFileBytes(endedFolder + L"~kelpo1234.tmp", "a write cut short");
    const std::wstring live = L"run-8-0000000000000002";
    const std::wstring liveFolder = LeaveEndedRun(live, {Snapshot(true, L"Untitled 9", "still typed in")});
    HANDLE liveLock = ::CreateFileW((BackupFolder() + live + L".lock").c_str(), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(liveLock, INVALID_HANDLE_VALUE);

    Start();
    ::CloseHandle(liveLock);
    DocumentTabs& tabs = *Tabs();
    ASSERT_EQ(tabs.Count(), 2);
    const Document* file = tabs.At(tabs.FindByPath(path));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ViewText(*file), "int edited;\n");
    EXPECT_TRUE(file->modified);
    EXPECT_EQ(file->lineEnd, LineEndMode::Lf);
    EXPECT_EQ(ReadFileBytes(path), "int disk;\r\n") << "the file itself is never written";
    const Document* untitled = tabs.At(tabs.IndexOf(file) == 0 ? 1 : 0);
    EXPECT_FALSE(untitled->HasPath());
    EXPECT_EQ(ViewText(*untitled), "untitled text");
    EXPECT_TRUE(untitled->modified);
    EXPECT_EQ(untitled->view->Call(SCI_GETCURRENTPOS), 13);
    EXPECT_EQ(LastStatusMessage(),
              L"Restored 2 unsaved documents from the last run; skipped 1 damaged snapshot, kept in backup\\damaged");

    EXPECT_EQ(SnapshotsIn(BackupRunFolder()).size(), 2u) << "the restored texts keep a snapshot";
    EXPECT_FALSE(FileExists(endedFolder));
    EXPECT_FALSE(FileExists(BackupFolder() + ended + L".lock"));
    EXPECT_EQ(ReadFileBytes(BackupFolder() + L"damaged\\" + ended + L"-3.snapshot"), damaged);
    EXPECT_EQ(SnapshotsIn(liveFolder).size(), 1u);
}

TEST_F(BackupTest, SwitchedOffWritesNothingAndKeepsWhatWasLeft) {
    WriteFileBytes(program_.File(L"kelpo.ini"), "[Kelpo]\r\nBackupUnsaved=0\r\n");
    const std::wstring ended = L"run-7-0000000000000001";
    const std::wstring endedFolder = LeaveEndedRun(ended, {Snapshot(true, L"Untitled 1", "left")});
    Start();
    EXPECT_FALSE(BackupsRunning());
    Type(*NewDocument(nullptr), "typed");
    FlushBackups();
    EXPECT_EQ(SnapshotsIn(endedFolder).size(), 1u);
    EXPECT_TRUE(FileExists(BackupFolder() + ended + L".lock"));
    for (int i = 0; i < Tabs()->Count(); ++i) {
        EXPECT_NE(ViewText(*Tabs()->At(i)), "left");
    }
}

}  // namespace
}  // namespace kelpo
