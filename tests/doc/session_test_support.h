// Pieces of the session and recent-list tests: scratch folders, files, message pumping and a
// fixture with the program's real main window created in this process.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "support/test_support.h"

namespace kelpo::session_test {

using test::FileExists;
using test::PumpUntil;
using test::ReadFileBytes;
using test::ResetAppState;
using test::TempFolder;
using test::WriteFileBytes;

// The bytes of UTF-16 little-endian text, as the INI files hold it.
std::string Utf16LeBytes(const std::wstring& text);

// The main window running with its files in a scratch folder, and no tab open.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder folder_;
    HWND window_ = nullptr;
};

}  // namespace kelpo::session_test
