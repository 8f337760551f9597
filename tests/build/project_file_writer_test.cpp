// Writing "build.tvk": the exact bytes of the created layout and the round trip through the reader.
#include <gtest/gtest.h>

#include "build/project_file_reader.h"
#include "build/project_file_writer.h"

namespace kelpo {
namespace {

constexpr const char* headerAndGroups =
    "TARGETNAME=app\r\nTARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\n\r\n"
    "MACROS=\r\nINCLUDES=\r\nLIBS=\r\nLIBPATHS=\r\n\r\nCFLAGS=\r\nLFLAGS=\r\nRFLAGS=\r\nAFLAGS=\r\nAS=\r\n";
constexpr const char* blocks =
    "PREBUILD:\r\n    @echo run PREBUILD\r\n\r\nPOSTBUILD:\r\n    @echo run POSTBUILD\r\n\r\nARGUMENTS=\r\n";

TEST(ProjectFileWriter, CreatedFilesComeBackByteForByte) {
    const std::string texts[] = {
        std::string(headerAndGroups) + "\r\nSOURCES=\\\r\n    main.c \\\r\n    util.c \r\n\r\n" + blocks,
        std::string(headerAndGroups) + "\r\nSOURCES=\\\r\n    main.c \r\n\r\n" + blocks,
        // Without sources "AS=" is followed by two empty lines.
        std::string(headerAndGroups) + "\r\n\r\n" + blocks,
        std::string(headerAndGroups) + "\r\nDIRS=\\\r\n    lib \\\r\n    app \r\n\r\n" + blocks,
        "TARGETNAME=drv\r\nTARGETTYPE=SYS\r\nRUNTIMELIB=NONE\r\nUSEUNICODE=1\r\nPCH=precomp.h\r\n\r\n"
        "MACROS=\r\nINCLUDES=\r\nLIBS=\r\nLIBPATHS=\r\n\r\nCFLAGS=\r\nLFLAGS=\r\nRFLAGS=\r\nAFLAGS=\r\nAS=\r\n"
        "\r\nSOURCES=\\\r\n    drv.c \r\n\r\nDIRS=\\\r\n    tools \r\n\r\n" + std::string(blocks),
    };
    for (const std::string& text : texts) {
        ProjectFile project;
        ProjectFileError error;
        ASSERT_TRUE(ReadProjectFile(text, project, error)) << text << "\nline " << error.line << ": " << error.message;
        EXPECT_EQ(WriteProjectFile(project), text);
    }
}

TEST(ProjectFileWriter, EveryFieldSurvivesARoundTrip) {
    ProjectFile project;
    project.targetName = "my tool";
    project.targetType = "DLL";
    project.runtimeLib = "MSVCRXX";
    project.useUnicode = "0";
    project.pch = "pch.h";
    project.macros = {"WIN32", "VERSION=2"};
    project.includes = {"..\\inc", "C:\\Program Files\\sdk"};
    project.libs = {"gdi32.lib"};
    project.libPaths = {"lib\\x64"};
    project.cFlags = "/W4 /GS-";
    project.lFlags = "/DEBUG";
    project.rFlags = "/n";
    project.aFlags = "/Zi";
    project.as = "ml64.exe";
    project.sources = {"src\\a file.cpp", "b.c", "tool.rc"};
    project.dirs = {"sub one", "two"};
    project.preBuild = {"copy a.h b.h", "echo ready"};
    project.postBuild = {};
    project.arguments = "-v \"x y\"";
    ProjectFile back;
    ProjectFileError error;
    ASSERT_TRUE(ReadProjectFile(WriteProjectFile(project), back, error)) << error.line << ": " << error.message;
    EXPECT_EQ(back, project);
}

}  // namespace
}  // namespace kelpo
