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

namespace kelpo::tab_test {

// A fresh folder under the temporary folder, removed with its contents at the end of the scope.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& Path() const { return path_; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Dispatches messages of this thread until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
void PumpFor(std::chrono::milliseconds duration);

std::wstring WindowText(HWND window);

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
