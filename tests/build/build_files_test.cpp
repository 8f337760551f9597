// The build front end's files on disk: "tarvik.ini", the tools' "config.ini", created project
// files, the environment batch file and the search for "build.xml".
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "build/build_console.h"
#include "build/build_xml_locate.h"
#include "build/create_project.h"
#include "build/tarvik_settings.h"
#include "build/tool_values.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::TempFolder;
using test::WriteFileBytes;
using test::ReadFileBytes;

constexpr const char* kHeaderGroups =
    "\r\nMACROS=\r\nINCLUDES=\r\nLIBS=\r\nLIBPATHS=\r\n\r\nCFLAGS=\r\nLFLAGS=\r\nRFLAGS=\r\nAFLAGS=\r\nAS=\r\n";
constexpr const char* kBlocks =
    "PREBUILD:\r\n    @echo run PREBUILD\r\n\r\nPOSTBUILD:\r\n    @echo run POSTBUILD\r\n\r\nARGUMENTS=\r\n";


TEST(TarvikFiles, SettingsSectionsAndInstalledTools) {
    TempFolder folder;
    std::string ini = "[Tarvik]\r\nOutputRoot=D:\\out\r\n[Variable]\r\n";
    for (int i = 0; i < 900; ++i) {  // past the first 8192-character read
        ini += "NAME" + std::to_string(i) + "=" + std::string(20, 'v') + "\r\n";
    }
    WriteFileBytes(folder.File(L"tarvik.ini"), ini);
    EXPECT_EQ(ReadTarvikSetting(folder.Path(), L"OutputRoot"), L"D:\\out");
    EXPECT_EQ(ReadTarvikSetting(folder.Path(), L"GlobalBin"), L"");
    EXPECT_EQ(ReadTarvikSetting(folder.Path(), L"DefaultDir"), folder.Path());
    const std::vector<std::wstring> lines = ReadTarvikSection(folder.Path(), L"Variable");
    ASSERT_EQ(lines.size(), 900u);
    EXPECT_EQ(lines.back(), L"NAME899=" + std::wstring(20, L'v'));

    EXPECT_TRUE(InstalledTools(folder.Path()).empty());
    for (const wchar_t* tool : {L"vc2022", L"vc2008", L"vc2019"}) {
        ::CreateDirectoryW(folder.File(tool).c_str(), nullptr);
    }
    WriteFileBytes(folder.File(L"vc2022\\config.ini"), "");
    WriteFileBytes(folder.File(L"vc2008\\config.ini"), "");
    ::CreateDirectoryW(folder.File(L"vc2019\\config.ini").c_str(), nullptr);  // a folder does not count
    std::vector<std::wstring> ids;
    for (const ToolDef* tool : InstalledTools(folder.Path())) {
        ids.push_back(tool->id);
    }
    EXPECT_EQ(ids, (std::vector<std::wstring>{L"vc2008", L"vc2022"}));
}

TEST(TarvikFiles, ToolValuesAreSubstitutedAndExpanded) {
    TempFolder folder;
    ::CreateDirectoryW(folder.File(L"vc2022").c_str(), nullptr);
    WriteFileBytes(folder.File(L"vc2022\\config.ini"),
                   "[CONFIG]\r\nBIN_X64=%CD%\\bin;\r\nLIB_X64=%BUILDARCH%\\lib\r\nINCLUDE=%KELPO_TEST_VAR%\\inc\r\n"
                   "EMPTY=\r\n");
    ::SetEnvironmentVariableW(L"KELPO_TEST_VAR", L"E:\\sdk");
    struct Case {
        const wchar_t* key;
        bool leading;
        std::optional<std::wstring> value;
    };
    const Case cases[] = {
        {L"BIN_X64", false, folder.Path() + L"vc2022\\bin"},
        {L"BIN_X64", true, L";" + folder.Path() + L"vc2022\\bin"},
        {L"LIB_X64", false, L"x64\\lib"},
        {L"INCLUDE", false, L"E:\\sdk\\inc"},
        {L"EMPTY", true, std::nullopt},
        {L"BIN_ARM", true, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadToolValue(folder.Path(), L"vc2022", L"x64", c.key, c.leading), c.value) << c.key;
    }
    ::SetEnvironmentVariableW(L"KELPO_TEST_VAR", nullptr);
}

TEST(CreateProjectOnDisk, WritesTheExactLayout) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::wstring, std::string>> files;
        std::string expected;  // after the TARGETNAME line
    };
    const Case cases[] = {
        {"no sources: a static library without SOURCES", {{L"notes.txt", "int main()"}},
         std::string("TARGETTYPE=LIB\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\n") + kHeaderGroups + "\r\n\r\n" + kBlocks},
        {"a program with a precompiled header; StdAfx.cpp is not listed",
         {{L"app.cpp", "#include \"stdafx.h\"\nint main (void)\n{\n}\n"}, {L"StdAfx.cpp", ""}, {L"stdafx.h", ""},
          {L"pch.h", ""}},
         std::string("TARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=1\r\nPCH=stdafx.h\r\n") + kHeaderGroups +
             "\r\nSOURCES=\\\r\n    app.cpp \r\n\r\n" + kBlocks},
    };
    for (const Case& c : cases) {
        TempFolder root;
        const std::wstring folder = root.File(L"my project");
        ::CreateDirectoryW(folder.c_str(), nullptr);
        for (const auto& [name, bytes] : c.files) {
            WriteFileBytes(folder + L"\\" + name, bytes);
        }
        std::string said;
        ASSERT_TRUE(CreateProject(folder, [&](std::string_view text) { said.append(text); }, nullptr)) << c.what;
        const std::string expected = "TARGETNAME=my project\r\n" + c.expected;
        EXPECT_EQ(ReadFileBytes(folder + L"\\build.tvk"), expected) << c.what;
        EXPECT_NE(said.find("Project Name: my project\n"), std::string::npos) << said;
        EXPECT_NE(said.find("TARGETNAME=my project\nTARGETTYPE="), std::string::npos) << said;
    }
}

TEST(CreateProjectOnDisk, ExistingFileIsReplacedOnlyWhenTheCallerSaysSo) {
    TempFolder folder;
    WriteFileBytes(folder.File(L"main.c"), "int main(void) { return 0; }\n");
    WriteFileBytes(folder.File(L"build.tvk"), "mine");
    std::string said;
    const TextSink sink = [&](std::string_view text) { said.append(text); };
    int asked = 0;
    EXPECT_FALSE(CreateProject(folder.Path(), sink, KeepExistingProject));
    EXPECT_FALSE(CreateProject(folder.Path(), sink, [&](const std::wstring&) { return ++asked, false; }));
    EXPECT_EQ(ReadFileBytes(folder.File(L"build.tvk")), "mine");
    EXPECT_NE(said.find("kept"), std::string::npos) << said;
    EXPECT_TRUE(CreateProject(folder.Path(), sink, [&](const std::wstring&) { return ++asked, true; }));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ReadFileBytes(folder.File(L"build.tvk")).rfind("TARGETNAME=", 0), 0u);
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(CreateProject(folder.File(L"missing"), sink, nullptr));
}

TEST(BuildXml, NearestUpwardElseTheProgramFolder) {
    TempFolder folder;
    for (const wchar_t* sub : {L"a", L"a\\b", L"a\\b\\c"}) {
        ::CreateDirectoryW(folder.File(sub).c_str(), nullptr);
    }
    const std::wstring program = L"Z:\\program\\";
    EXPECT_EQ(FindBuildXml(folder.File(L"a\\b\\c"), program), program + L"build.xml");
    WriteFileBytes(folder.File(L"a\\build.xml"), "<x/>");
    EXPECT_EQ(FindBuildXml(folder.File(L"a\\b\\c\\"), program), folder.File(L"a\\build.xml"));
    WriteFileBytes(folder.File(L"a\\b\\c\\build.xml"), "<x/>");
    EXPECT_EQ(FindBuildXml(folder.File(L"a\\b\\c"), program), folder.File(L"a\\b\\c\\build.xml"));
}

TEST(EnvironmentBatch, SetLinesInBlockOrderAndAFailedWriteIsTold) {
    BuildEnvironment environment;
    environment.configurationName = L"vc2022_x64_debug";
    environment.block = std::wstring(L"A=1\0Path=C:\\x;D:\\y\0\0", 21);
    TempFolder folder;
    std::string said;
    const TextSink sink = [&](std::string_view text) { said.append(text); };
    ASSERT_TRUE(WriteEnvironmentBatch(folder.Path(), environment, sink));
    EXPECT_EQ(ReadFileBytes(folder.File(L"tarvik_env.bat")),
              "@echo off\r\ntitle=Tarvik vc2022_x64_debug\r\nset A=1\r\nset Path=C:\\x;D:\\y\r\n");
    EXPECT_EQ(said, "Please type \"%tmp%\\tarvik_env\", and press enter.\n");
    said.clear();
    EXPECT_FALSE(WriteEnvironmentBatch(folder.File(L"missing\\"), environment, sink));
    EXPECT_EQ(said.rfind("Error : ", 0), 0u) << said;
}

TEST(EnvironmentOfThisMachine, GathersTarvikIniConfigIniAndTheSystemFolders) {
    TempFolder folder;
    ::CreateDirectoryW(folder.File(L"vc2022").c_str(), nullptr);
    WriteFileBytes(folder.File(L"vc2022\\config.ini"), "[CONFIG]\r\nBIN_X64=%CD%\\bin\r\nBIN_X86X64=%CD%\\cross\r\n");
    WriteFileBytes(folder.File(L"tarvik.ini"), "[Tarvik]\r\nOutputRoot=D:\\out\r\n[Variable]\r\nLANG=C\r\n");
    App().paths.folder = folder.Path();
    const BuildEnvironment environment = ComposeEnvironment(0x8A10);
    App().paths.folder.clear();
    ASSERT_TRUE(environment.error.empty()) << environment.error;
    std::vector<std::wstring> strings;
    for (std::size_t at = 0; environment.block[at] != L'\0'; at = environment.block.find(L'\0', at) + 1) {
        strings.push_back(environment.block.c_str() + at);
    }
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    const bool host64 = info.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
    const std::wstring program = folder.Path().substr(0, folder.Path().size() - 1);
    const std::wstring expectations[] = {
        L"IntDir=vc2022_x64_debug", L"OutputRoot=D:\\out", L"Temp=" + std::wstring(temp),
        L"Path=" + program + L";" + program + (host64 ? L"\\vc2022\\bin" : L"\\vc2022\\cross"),
        L"LIB=D:\\out\\lib\\vc2022_x64", L"LANG=C"};
    for (const std::wstring& expected : expectations) {
        EXPECT_NE(std::find(strings.begin(), strings.end(), expected), strings.end()) << expected;
    }
    EXPECT_EQ(strings.back(), L"LANG=C");
}

TEST(BuildConsoleProcess, RunsWithTheBlockAndReportsFailures) {
    BuildEnvironment environment;
    environment.configurationName = L"vc2022_x64_debug";
    environment.block = std::wstring(L"BuildArch=x64\0\0", 15);
    std::string said;
    const TextSink sink = [&](std::string_view text) { said.append(text); };
    TempFolder folder;
    // cmd expands %BuildArch% from the environment it was given.
    const std::wstring exits = L"cmd.exe /C if %BuildArch%==x64 exit 5";
    EXPECT_EQ(OpenBuildConsole(&exits, folder.Path(), 0x8A10, true, &environment, sink), 5);
    EXPECT_EQ(said, "Run \"cmd.exe /C if %BuildArch%==x64 exit 5\" failed! ExitCode=5\n");
    said.clear();
    const std::wstring missing = L"kelpo_no_such_program.exe";
    EXPECT_EQ(OpenBuildConsole(&missing, folder.Path(), 0x8A10, true, &environment, sink), 1);
    EXPECT_EQ(said.rfind("Create process \"kelpo_no_such_program.exe\" failed! ErrorCode=", 0), 0u) << said;
    // A block at the size cap is one process creation accepts.
    BuildEnvironment large;
    large.configurationName = L"vc2022_x64_debug";
    for (int i = 0; large.block.size() + 30000 < kMaxEnvironmentBlock; ++i) {
        large.block += L"V" + std::to_wstring(i) + L"=" + std::wstring(30000 - 8, L'v') + L'\0';
    }
    large.block += L"BuildArch=x64" + std::wstring(1, L'\0') + L'\0';
    ASSERT_LE(large.block.size(), kMaxEnvironmentBlock);
    said.clear();
    EXPECT_EQ(OpenBuildConsole(&exits, folder.Path(), 0x8A10, true, &large, sink), 5) << said;
    // A configuration without a name has no environment: nothing is started.
    said.clear();
    EXPECT_EQ(OpenBuildConsole(&exits, folder.Path(), 0x8A12, true, nullptr, sink), 1);
    EXPECT_EQ(said.rfind("Error : ", 0), 0u) << said;
}

}  // namespace
}  // namespace kelpo
