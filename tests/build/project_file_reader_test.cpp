// Reading "build.tvk": the created and converted layouts, every kind of value, and faults with their lines.
#include <gtest/gtest.h>

#include <functional>

#include "build/project_file_reader.h"

namespace kelpo {
namespace {

ProjectFile Read(std::string_view text) {
    ProjectFile project;
    ProjectFileError error;
    EXPECT_TRUE(ReadProjectFile(text, project, error)) << text << "\nline " << error.line << ": " << error.message;
    return project;
}

TEST(ProjectFileReader, ReadsACreatedFile) {
    const ProjectFile project = Read(
        "TARGETNAME=app\r\nTARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\nPCH=stdafx.h\r\n\r\n"
        "MACROS=\r\nINCLUDES=\r\nLIBS=\r\nLIBPATHS=\r\n\r\nCFLAGS=\r\nLFLAGS=\r\nRFLAGS=\r\nAFLAGS=\r\nAS=\r\n\r\n"
        "SOURCES=\\\r\n    main.c \\\r\n    util.c \\\r\n    app.rc \r\n\r\n"
        "PREBUILD:\r\n    @echo run PREBUILD\r\n\r\nPOSTBUILD:\r\n    @echo run POSTBUILD\r\n\r\nARGUMENTS=\r\n");
    ProjectFile expected;
    expected.targetName = "app";
    expected.targetType = "EXE";
    expected.runtimeLib = "LIBCMT";
    expected.useUnicode = "1";
    expected.pch = "stdafx.h";
    expected.sources = {"main.c", "util.c", "app.rc"};
    expected.preBuild = {"@echo run PREBUILD"};
    expected.postBuild = {"@echo run POSTBUILD"};
    EXPECT_EQ(project, expected);
}

TEST(ProjectFileReader, ReadsAConvertedFile) {
    const ProjectFile project = Read(
        "TARGETNAME=Viewer\r\nTARGETTYPE=DLL\r\nRUNTIMELIB=MFCDLL\r\nUSEUNICODE=0\r\n\r\n"
        "MACROS=WIN32;_DEBUG;_AFXDLL\r\nINCLUDES=..\\inc;C:\\Program Files\\sdk\\include\r\nLIBS=gdi32.lib\r\n"
        "LIBPATHS=\r\nCFLAGS=\r\nLFLAGS=\r\n\r\nSOURCES= \\\r\n\tsrc\\view.cpp \\\r\n\tres\\viewer.rc\r\n\r\n"
        "PREBUILD:\r\nPOSTBUILD:\r\n");
    ProjectFile expected;
    expected.targetName = "Viewer";
    expected.targetType = "DLL";
    expected.runtimeLib = "MFCDLL";
    expected.useUnicode = "0";
    expected.macros = {"WIN32", "_DEBUG", "_AFXDLL"};
    expected.includes = {"..\\inc", "C:\\Program Files\\sdk\\include"};
    expected.libs = {"gdi32.lib"};
    expected.sources = {"src\\view.cpp", "res\\viewer.rc"};
    EXPECT_EQ(project, expected);
}

TEST(ProjectFileReader, ReadsEveryKindOfValue) {
    struct Case {
        const char* text;
        std::function<void(ProjectFile&)> expect;
    };
    const Case cases[] = {
        {"TARGETNAME=app", [](ProjectFile& p) { p.targetName = "app"; }},
        {"TARGETNAME= my app \t\n", [](ProjectFile& p) { p.targetName = "my app"; }},
        {"\xEF\xBB\xBFTARGETNAME=app\n", [](ProjectFile& p) { p.targetName = "app"; }},
        {"targettype=sys\nRuntimeLib=none\nUSEUNICODE=0\n",
         [](ProjectFile& p) { p.targetType = "SYS"; p.runtimeLib = "NONE"; p.useUnicode = "0"; }},
        {"CFLAGS=/W4 /GS- \\\n    /O2\nLFLAGS=/DEBUG\n",
         [](ProjectFile& p) { p.cFlags = "/W4 /GS- /O2"; p.lFlags = "/DEBUG"; }},
        {"RFLAGS=/n\nAFLAGS=/Zi\nAS=ml64.exe\nARGUMENTS=-v \"a b\"\n",
         [](ProjectFile& p) { p.rFlags = "/n"; p.aFlags = "/Zi"; p.as = "ml64.exe"; p.arguments = "-v \"a b\""; }},
        {"MACROS=A; B=1 ;;C\\\n\tD;E\nLIBPATHS=lib\n",
         [](ProjectFile& p) { p.macros = {"A", "B=1", "C", "D", "E"}; p.libPaths = {"lib"}; }},
        {"SOURCES=main.c\n", [](ProjectFile& p) { p.sources = {"main.c"}; }},
        {"SOURCES=\\\n  my file.c \\  \n\nLIBS=a.lib;b.lib", [](ProjectFile& p) {
             p.sources = {"my file.c"};
             p.libs = {"a.lib", "b.lib"};
         }},
        {"SOURCES=a.c \\\n    b.c \\\n", [](ProjectFile& p) { p.sources = {"a.c", "b.c"}; }},
        {"Dirs=\\\n    lib \\\n    app\n", [](ProjectFile& p) { p.dirs = {"lib", "app"}; }},
        {"PREBUILD:\n\tcopy a b\n  echo x  \nPOSTBUILD:\nARGUMENTS=-v\n",
         [](ProjectFile& p) { p.preBuild = {"copy a b", "echo x"}; p.arguments = "-v"; }},
        {"POSTBUILD:\n    del x.tmp\n \t\n\nTARGETNAME=t\r", [](ProjectFile& p) {
             p.postBuild = {"del x.tmp"};
             p.targetName = "t";
         }},
        {"", [](ProjectFile&) {}},
        {"\n \t\r\n\r\n", [](ProjectFile&) {}},
    };
    for (const Case& c : cases) {
        ProjectFile expected;
        c.expect(expected);
        EXPECT_EQ(Read(c.text), expected) << c.text;
    }
}

TEST(ProjectFileReader, FaultsNameTheirLine) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"TARGETNAME=a\nFOO=1\n", 2, "unknown key 'FOO'"},
        {"TARGETNAME = a\n", 1, "no blanks allowed between a key and '=' in 'TARGETNAME ='"},
        {"\n\n# a remark\n", 3, "expected KEY=value, PREBUILD: or POSTBUILD:, not '# a remark'"},
        {"PREBUILD: copy a b\n", 1, "expected KEY=value, PREBUILD: or POSTBUILD:, not 'PREBUILD: copy a b'"},
        {"TARGETNAME=a\r\nLIBS=\r\ntargetname=b\r\n", 3, "key TARGETNAME given twice (first on line 1)"},
        {"PREBUILD:\n\nPOSTBUILD:\nPREBUILD:\n", 4, "PREBUILD: block given twice (first on line 1)"},
        {"SOURCES=a.c\n    b.c\n", 2, "indented line outside a PREBUILD: or POSTBUILD: block"},
        {"  TARGETNAME=a\n", 1, "indented line outside"},
        {"SOURCES=a.c \\\nLIBS=x\n", 2, "continuation line must be indented (or is the '\\' at the end of line 1"},
        {"\nTARGETTYPE=APP\n", 2, "TARGETTYPE must be one of EXE, DLL, SYS, LIB, not 'APP'"},
        {"RUNTIMELIB=\\\n    MSVCRT\n", 1,
         "RUNTIMELIB must be one of LIBCMT, MFCSTATIC, MFCDLL, MSVCRXX, NONE, not 'MSVCRT'"},
        {"USEUNICODE=yes\n", 1, "USEUNICODE must be one of 1, 0, not 'yes'"},
        {"TARGETTYPE=\n", 1, "TARGETTYPE must be one of"},
    };
    for (const auto& c : cases) {
        ProjectFile project;
        ProjectFileError error;
        EXPECT_FALSE(ReadProjectFile(c.text, project, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.message.rfind(c.message, 0), 0u) << c.text << "\ngot: " << error.message;
    }
}

TEST(ProjectFileReader, ListItemsKeepTheirLines) {
    const struct {
        const char* text;
        std::vector<int> sources;
        std::vector<int> dirs;
    } cases[] = {
        {"SOURCES=\\\n    a.c \\\n    b.c\n", {2, 3}, {}},
        {"SOURCES=a.c \\\n\tb.c \\\n\nDIRS=lib\n", {1, 2}, {4}},
        {"TARGETNAME=x\r\n\r\nDirs=\\\r\n    app\\app.tvk \\\r\n    lib \\\r\n", {}, {4, 5}},
    };
    for (const auto& c : cases) {
        ProjectFile project;
        ProjectFileError error;
        ProjectFileLines lines;
        ASSERT_TRUE(ReadProjectFile(c.text, project, error, lines)) << c.text << "\n" << error.message;
        EXPECT_EQ(lines.sources, c.sources) << c.text;
        EXPECT_EQ(lines.dirs, c.dirs) << c.text;
        EXPECT_EQ(lines.sources.size(), project.sources.size()) << c.text;
        EXPECT_EQ(lines.dirs.size(), project.dirs.size()) << c.text;
    }
}

}  // namespace
}  // namespace kelpo
