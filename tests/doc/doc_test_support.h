// Pieces of the loading and saving tests: scratch folders, files on disk, the program's real main
// window created in this process, and stand-ins for the user at message boxes and dialogs.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "doc/document.h"
#include "support/test_support.h"

namespace kelpo::doc_test {

using test::EnsureWindowClasses;
using test::FileExists;
using test::PumpUntil;
using test::ReadFileBytes;
using test::ResetAppState;
using test::TempFolder;
using test::WriteFileBytes;

DWORD AttributesOf(const std::wstring& path);
FILETIME LastWriteTime(const std::wstring& path);
// Moves the file's last-write time by whole seconds, as a later outside save would.
void ShiftLastWriteTime(const std::wstring& path, int seconds);
// A file of the size whose bytes are never written (sparse where the file system allows it).
void MakeSizedFile(const std::wstring& path, std::uint64_t size);

// Answers the program's message boxes in place of the user and records what they said.
// Answers are taken from the queue in order; when it is empty, `fallback` is given.
class MessageCatcher {
public:
    struct Message {
        UINT flags;
        std::wstring text;
    };
    explicit MessageCatcher(int fallback = IDCANCEL);
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;
    ~MessageCatcher();

    void Answer(int button) { answers_.push_back(button); }
    const std::vector<Message>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }

private:
    std::deque<int> answers_;
    int fallback_;
    std::vector<Message> messages_;
};

// The text of an editor view.
std::string ViewText(const Document& document);
// Replaces the whole text of the document's view as typing would (the document becomes modified).
void ReplaceViewText(Document& document, const std::string& text);

// The main window running with its files in a scratch folder: one window for each test suite
// (destroying a window takes Wine seconds), no tab open and the settings of a first start at the
// start of every test. Message boxes are answered by `messages_` (Cancel unless a test queues
// other answers); the write and dialog stand-ins are removed after every test.
class MainWindowTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder files_;  // the files a test opens and saves
    MessageCatcher messages_;
    HWND window_ = nullptr;
};

}  // namespace kelpo::doc_test
