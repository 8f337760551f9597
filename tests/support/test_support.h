// Shared pieces of the shell tests: scratch folders, file reading, message pumping.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "doc/document.h"

namespace kelpo::test {

// A fresh folder under the temporary folder, removed with its contents at the end of the scope.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& Path() const { return path_; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }
    // Every name in the folder, hidden files included.
    std::vector<std::wstring> Names() const;

private:
    std::wstring path_;
};

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Dispatches messages of this thread until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
void PumpFor(std::chrono::milliseconds duration);

// The folder of the running test program (where kelpo.exe is built too).
std::wstring ProgramFolder();

std::wstring WindowText(HWND window);
// The open document of this path (compared without regard to case), or none.
const Document* DocumentWithPath(const std::wstring& path);
// The caret's 1-based line and column in the document's view.
std::pair<int, int> CaretLineColumn(const Document& document);

// Registers the program's window classes in this process once.
bool EnsureWindowClasses();

// The program's state record put back to a fresh start with its files in `folder`.
void ResetAppState(const std::wstring& folder);


// The program's main window started in this process with its files in a scratch folder, as
// start-up does it; destroyed after each test.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder folder_;
    HWND window_ = nullptr;
};

}  // namespace kelpo::test
