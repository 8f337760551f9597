// A solution folder converted on disk with the real reads and writes: every readable member gets
// its project file, the unreadable one a line of its own, and the folder list names them all.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "build/convert_disk.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

TEST(ConvertDisk, SolutionFolderWithAnUnreadableMember) {
    TempFolder folder;
    for (const wchar_t* sub : {L"app", L"lib", L"locked.vcxproj"}) {
        ASSERT_TRUE(CreateDirectoryW(folder.File(sub).c_str(), nullptr));
    }
    WriteFileBytes(folder.File(L"all.sln"),
                   "Project(\"{A}\") = \"app\", \"app\\app.vcxproj\", \"{1}\"\r\nEndProject\r\n"
                   "Project(\"{A}\") = \"locked\", \"locked.vcxproj\", \"{2}\"\r\nEndProject\r\n"
                   "Project(\"{A}\") = \"lib\", \"lib\\lib.dsp\", \"{3}\"\r\nEndProject\r\n");
    WriteFileBytes(folder.File(L"app\\app.vcxproj"),
                   "<Project><PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>Application"
                   "</ConfigurationType></PropertyGroup><ItemGroup><ClCompile Include=\"main.c\"/></ItemGroup>"
                   "</Project>");
    WriteFileBytes(folder.File(L"lib\\lib.dsp"), "# Microsoft Developer Studio Project File - Name=\"lib\"\r\n"
                                                 "SOURCE=.\\lib.c\r\n");
    std::string output;
    ConvertReports reports;
    reports.output = [&output](std::string_view text) { output += text; };
    reports.showError = [](const std::string& message) { ADD_FAILURE() << message; };

    EXPECT_FALSE(ConvertFile(folder.File(L"all.sln"), DiskConvertFileAccess(), reports));

    EXPECT_TRUE(ReadFileBytes(folder.File(L"app\\app.tvk")).starts_with("TARGETNAME=\r\nTARGETTYPE=EXE\r\n"));
    EXPECT_TRUE(ReadFileBytes(folder.File(L"lib\\lib.tvk")).ends_with("SOURCES= \\\r\n\tlib.c\r\n\r\nPREBUILD:\r\n"
                                                                      "POSTBUILD:\r\n"));
    EXPECT_EQ(ReadFileBytes(folder.File(L"build.tvk")),
              "Dirs=\\\n    app\\app.tvk \\\n    locked.tvk \\\n    lib\\lib.tvk \\\n");
    EXPECT_NE(output.find("Error: cannot read " + std::string(folder.Path().begin(), folder.Path().end()) +
                          "locked.vcxproj\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(folder.Names().size(), 5u);  // the solution, three members and the list: no temporary file left
}

}  // namespace
}  // namespace kelpo
