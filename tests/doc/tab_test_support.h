// Pieces of the tab and file-command tests: scratch files, the program's real main window created
// in this process, mouse messages at tab positions, and stand-ins for the user at boxes and dialogs.
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

namespace kelpo::tab_test {

using test::FileExists;
using test::PumpFor;
using test::PumpUntil;
using test::ReadFileBytes;
using test::TempFolder;
using test::WindowText;
using test::WriteFileBytes;

// Answers the program's message boxes in place of the user and records their texts. Answers are
// taken from the queue in order; when it is empty, Cancel is given.
class MessageAnswers {
public:
    MessageAnswers();
    MessageAnswers(const MessageAnswers&) = delete;
    MessageAnswers& operator=(const MessageAnswers&) = delete;
    ~MessageAnswers();

    void Queue(int button) { answers_.push_back(button); }
    const std::vector<std::wstring>& Texts() const { return texts_; }
    void Clear() { texts_.clear(); }

private:
    std::deque<int> answers_;
    std::vector<std::wstring> texts_;
};

// Runs `action` on the first visible dialog of this thread that holds a control with `controlId`,
// from inside the dialog's modal loop. If the dialog is still open a while after the action, it
// is cancelled so that a failing test cannot hang.
class DialogDriver {
public:
    DialogDriver(int controlId, std::function<void(HWND dialog)> action);
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver();

    bool Ran() const;
};

// The main window running with its settings in a scratch folder and no tab open; message boxes
// are answered through `answers_`, the save dialog through `savePaths_` (none left: cancelled).
class TabWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the file into `files_` and opens it; its document, or none.
    Document* OpenFile(const std::wstring& name, const std::string& bytes = "text\r\n");
    void Command(int command, LPARAM lParam = 0);
    HWND TabBar() const;
    std::vector<Document*> TabOrder() const;
    RECT TabRect(int index) const;
    POINT TabCentre(int index) const;
    // A mouse message as the system would send it to the tab bar, at a point of its client area.
    void Mouse(UINT message, POINT point, WPARAM keys = 0) const;
    bool IsMarked(int index) const;
    int ImageOf(int index) const;
    // Makes a change in the document's view, as typing would.
    void Touch(Document& document) const;

    TempFolder settings_;
    TempFolder files_;
    MessageAnswers answers_;
    std::deque<std::wstring> savePaths_;
    HWND window_ = nullptr;
};

}  // namespace kelpo::tab_test
