// The settings file operations against real files: UTF-16 storage, lists, deletion.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::ReadFileBytes;
using test::TempFolder;

TEST(IniFile, NonAsciiValueSurvivesWriteAndRead) {
    TempFolder folder;
    const IniFile ini(folder.File(L"kelpo.ini"));
    const std::wstring path = L"C:\\Users\\Ren\u00e9\\\u65e5\u672c\\project.c";
    ASSERT_TRUE(ini.WriteText(L"Debugger", path.c_str()));
    const std::string bytes = ReadFileBytes(ini.Path());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2)) << "file must be UTF-16";

    std::wstring value;
    EXPECT_TRUE(ini.ReadText(L"Debugger", value));
    EXPECT_EQ(value, path);
    EXPECT_EQ(IniFile(ini.Path()).ReadString(L"Debugger"), path);
}

TEST(IniFile, ExistingFileIsNotRewrittenForItsMark) {
    TempFolder folder;
    const IniFile ini(folder.File(L"kelpo.ini"));
    test::WriteFileBytes(ini.Path(), "[Kelpo]\r\nMruSize=7\r\n");
    EXPECT_TRUE(ini.EnsureUnicodeFile());
    EXPECT_EQ(ini.ReadInt(L"MruSize", 20), 7);
    EXPECT_EQ(ini.ReadInt(L"Missing", 20), 20);
}

TEST(IniFile, TextReadsAndDeletes) {
    TempFolder folder;
    const IniFile ini(folder.File(L"kelpo.ini"));
    std::wstring value = L"stale";
    EXPECT_FALSE(ini.ReadText(L"style", value));
    EXPECT_TRUE(value.empty());
    ini.WriteText(L"style", L"ocean");
    ini.WriteInt(L"ZoomLevel", -3);
    EXPECT_EQ(ini.ReadInt(L"ZoomLevel", 0), -3);
    ini.ReadText(L"style", value, 3);
    EXPECT_EQ(value, L"oce");
    ini.DeleteKey(L"style");
    EXPECT_FALSE(ini.ReadText(L"style", value));
    const std::wstring longValue(20000, L'x');
    ini.WriteText(L"MainToolbar", longValue.c_str());
    EXPECT_EQ(ini.ReadString(L"MainToolbar"), longValue);
}

TEST(IniFile, ListsGrowPastTheFirstBufferAndAreReplacedWhole) {
    TempFolder folder;
    const IniFile ini(folder.File(L"kelpo.ini"));
    std::vector<std::wstring> lines;
    for (int i = 0; i < 1500; ++i) {
        lines.push_back(L"Entry" + std::to_wstring(i) + L"=" + std::wstring(12, L'a' + i % 26));
    }
    ASSERT_TRUE(ini.WriteList(L"Font", &lines));
    const auto read = ini.ReadList(L"Font");
    ASSERT_EQ(read.size(), lines.size());
    EXPECT_EQ(read.front(), lines.front());
    EXPECT_EQ(read.back(), lines.back());

    const std::vector<std::wstring> shorter = {L"141=70", L"142=0"};
    ini.WriteList(L"Font", &shorter);
    EXPECT_EQ(ini.ReadList(L"Font"), shorter);
    EXPECT_EQ(ini.ReadInt(L"141", 0, L"Font"), 70);

    ini.WriteList(L"Font", nullptr);
    EXPECT_TRUE(ini.ReadList(L"Font").empty());
}

TEST(IniFile, WindowPosRoundTrip) {
    TempFolder folder;
    const IniFile ini(folder.File(L"kelpo.ini"));
    ini.WriteWindowPos(L"WndPosWindows", WindowPos{{-10, 20, 500, 400}, 3});
    EXPECT_EQ(ini.ReadWindowPos(L"WndPosWindows"), (WindowPos{{-10, 20, 500, 400}, 3}));
    ini.WriteText(L"WndPos", L"1,2,3");
    EXPECT_FALSE(ini.ReadWindowPos(L"WndPos").has_value());
}

}  // namespace
}  // namespace kelpo
