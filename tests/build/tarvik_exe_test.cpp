// tarvik.exe as a script runs it: a process with its standard streams on pipes, its program folder
// (tool folders, "tarvik.ini", "build.exe") beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "base/handles.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

struct TarvikRun {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    return text;
}

class TarvikExeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CopyFileW((test::ProgramFolder() + L"tarvik.exe").c_str(), folder_.File(L"tarvik.exe").c_str(),
                                FALSE));
        ::CreateDirectoryW(folder_.File(L"vc2022").c_str(), nullptr);
        test::WriteFileBytes(folder_.File(L"vc2022\\config.ini"), "[CONFIG]\r\nINCLUDE=%CD%\\include\r\n");
    }

    // Runs "tarvik.exe <arguments>" from another folder, with empty standard input.
    TarvikRun Tarvik(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr, inRead = nullptr,
               inWrite = nullptr;
        EXPECT_TRUE(::CreatePipe(&outRead, &outWrite, &inherit, 0) && ::CreatePipe(&errRead, &errWrite, &inherit, 0) &&
                    ::CreatePipe(&inRead, &inWrite, &inherit, 0));
        unique_handle owned[] = {unique_handle(outRead), unique_handle(outWrite), unique_handle(errRead),
                                 unique_handle(errWrite), unique_handle(inRead), unique_handle(inWrite)};
        for (HANDLE reading : {outRead, errRead, inWrite}) {
            ::SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
        }
        owned[5].reset();  // standard input ends at once
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = inRead;
        startup.hStdOutput = outWrite;
        startup.hStdError = errWrite;
        std::wstring commandLine = L"\"" + folder_.File(L"tarvik.exe") + L"\" " + arguments;
        PROCESS_INFORMATION process{};
        TarvikRun run;
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                              work_.Path().c_str(), &startup, &process)) {
            ADD_FAILURE() << "tarvik.exe did not start: " << ::GetLastError();
            return run;
        }
        unique_handle processHandle(process.hProcess);
        unique_handle threadHandle(process.hThread);
        owned[1].reset();
        owned[3].reset();
        owned[4].reset();
        std::thread errors([&] { run.err = ReadAll(errRead); });
        run.out = ReadAll(outRead);
        errors.join();
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &run.exitCode);
        return run;
    }

    test::TempFolder folder_;  // the program folder
    test::TempFolder work_;    // the current folder of the runs
};

TEST_F(TarvikExeTest, ListsTheToolsBesideIt) {
    const TarvikRun run = Tarvik(L"list");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out,
              "vc2022_x86_debug\r\nvc2022_x86_release\r\nvc2022_x64_debug\r\nvc2022_x64_release\r\n"
              "vc2022_arm64_debug\r\nvc2022_arm64_release\r\n\r\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(TarvikExeTest, ConvertWritesBuildTvkBesideTheProject) {
    test::WriteFileBytes(work_.File(L"app.vcxproj"),
                         "<Project><PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>Application"
                         "</ConfigurationType></PropertyGroup><ItemGroup><ClCompile Include=\"main.c\"/></ItemGroup>"
                         "</Project>");
    const TarvikRun run = Tarvik(L"convert app.vcxproj");
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_NE(run.out.find("Convert app.vcxproj to build.tvk"), std::string::npos) << run.out;
    const std::string project = test::ReadFileBytes(work_.File(L"build.tvk"));
    EXPECT_NE(project.find("TARGETTYPE=EXE"), std::string::npos) << project;
    EXPECT_NE(project.find("main.c"), std::string::npos) << project;

    const TarvikRun again = Tarvik(L"convert app.vcxproj");
    EXPECT_NE(again.out.find("build.tvk exists. Overwrite? (Yes/No) "), std::string::npos) << again.out;
    EXPECT_EQ(again.exitCode, 1u) << "no answer keeps the file, and the script learns of it";
}

TEST_F(TarvikExeTest, ConfigWritesTheEnvironmentBatch) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring batch = std::wstring(temp) + L"tarvik_env.bat";
    ::DeleteFileW(batch.c_str());
    const TarvikRun run = Tarvik(L"config VC2022_X64_DEBUG");
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(run.out, "Please type \"%tmp%\\tarvik_env\", and press enter.\r\n");
    const std::string text = test::ReadFileBytes(batch);
    EXPECT_TRUE(text.starts_with("@echo off\r\ntitle=Tarvik vc2022_x64_debug\r\n")) << text;
    EXPECT_NE(text.find("set INCLUDE=" + std::string(folder_.Path().begin(), folder_.Path().end()) +
                        "vc2022\\include\r\n"),
              std::string::npos)
        << text;
}

TEST_F(TarvikExeTest, FailuresReachTheExitCodeAndMessageBoxTextsStandardError) {
    struct Case {
        const wchar_t* arguments;
        DWORD exitCode;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {L"vc9999 proj", 1, "", "Invalid parameters, no build tools specified.\r\n"},
        {L"config vc2022", 1, "Error: please specify full config name, like vc2022_x64_debug\r\n", ""},
        {L"convert nothing.vcxproj", 1, "Error: nothing.vcxproj is not a vc project file.\r\n", ""},
        {L"", 0, "tarvik usage:\r\n  tarvik create <dir>\r\n  tarvik convert <.dsw/.sln/.dsp/.vcproj/.vcxproj>\r\n"
                 "  tarvik list\r\n  tarvik config <cfg>\r\n", ""},
    };
    for (const Case& c : cases) {
        const TarvikRun run = Tarvik(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.arguments;
    }
}

}  // namespace
}  // namespace kelpo
