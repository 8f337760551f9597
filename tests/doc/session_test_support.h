// Pieces of the session and recent-list tests: scratch folders, files, message pumping and a
// fixture with the program's real main window created in this process.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace kelpo::session_test {

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
// The bytes of UTF-16 little-endian text, as the INI files hold it.
std::string Utf16LeBytes(const std::wstring& text);

// Dispatches messages of this thread until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

// The program's state record put back to a fresh start with its files in `folder`.
void ResetAppState(const std::wstring& folder);

// The main window running with its files in a scratch folder, and no tab open.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder folder_;
    HWND window_ = nullptr;
};

}  // namespace kelpo::session_test
