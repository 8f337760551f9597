// The program's own files (settings, recent lists, session, favourites) are replaced whole or
// not at all: a write that fails midway leaves the old file as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/file_write.h"
#include "base/ini_file.h"
#include "support/test_support.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

class ProgramFilesTest : public ::testing::Test {
protected:
    void TearDown() override { SetWriteCall(nullptr); }

    void FailWritesMidway() {
        SetWriteCall([](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
            ::WriteFile(file, data, size / 2, written, nullptr);
            ::SetLastError(ERROR_DISK_FULL);
            return FALSE;
        });
    }

    bool OnlyNames(const std::vector<std::wstring>& expected) const {
        std::vector<std::wstring> names = folder_.Names();
        std::sort(names.begin(), names.end());
        return names == expected;
    }

    TempFolder folder_;
};

TEST_F(ProgramFilesTest, AFailedSettingsWriteLeavesTheFileWhole) {
    const IniFile ini(folder_.File(L"kelpo.ini"));
    ASSERT_TRUE(ini.WriteText(L"style", L"ocean"));
    const std::vector<std::wstring> fonts = {L"1=Consolas,10"};
    ASSERT_TRUE(ini.WriteList(L"Font", &fonts));
    const std::string before = ReadFileBytes(ini.Path());

    FailWritesMidway();
    EXPECT_FALSE(ini.WriteText(L"style", L"a much longer theme name than before"));
    EXPECT_FALSE(ini.WriteList(L"Font", nullptr));
    SetWriteCall(nullptr);
    EXPECT_EQ(ReadFileBytes(ini.Path()), before);
    EXPECT_TRUE(OnlyNames({L"kelpo.ini"}));
    EXPECT_EQ(ini.ReadString(L"style"), L"ocean");
}

TEST_F(ProgramFilesTest, AFailedXmlSaveLeavesTheSessionWhole) {
    const std::wstring path = folder_.File(L"session.xml");
    WriteFileBytes(path, "<session><file path=\"C:\\a.txt\" /></session>\r\n");
    XmlDocument document;
    XmlElement* session = document.CreateElement("session");
    document.AppendTopLevel(session);
    for (int i = 0; i < 2000; ++i) {
        XmlElement* file = document.CreateElement("file");
        file->SetAttribute("path", "C:\\a rather long path\\to a file.txt");
        session->AppendChild(file);
    }
    FailWritesMidway();
    EXPECT_FALSE(document.Save(path.c_str()));
    SetWriteCall(nullptr);
    EXPECT_EQ(ReadFileBytes(path), "<session><file path=\"C:\\a.txt\" /></session>\r\n");
    EXPECT_TRUE(OnlyNames({L"session.xml"}));
    ASSERT_TRUE(document.Save(path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), document.ToText());
}

}  // namespace
}  // namespace kelpo
