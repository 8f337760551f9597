// build.exe end to end under Wine: a small C program built with the test tool vc2022 (MSVC-style
// drivers over TinyCC) in an environment block like the editor's, then rebuilt, touched, broken,
// cleaned. Skipped when the build folder has no ninja.exe or no test tool.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "captured_run.h"
#include "support/test_support.h"

namespace kelpo::test {
namespace {

struct Outcome : bench::CapturedRun {
    int Count(const std::string& part) const {
        int count = 0;
        for (std::size_t at = output.find(part); at != std::string::npos; at = output.find(part, at + 1)) {
            ++count;
        }
        return count;
    }
    bool Has(const std::string& part) const { return Count(part) > 0; }
};

Outcome RunProgram(const std::wstring& commandLine, const std::wstring& environment) {
    return {bench::RunCaptured(commandLine, environment)};
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class BuildExe : public ::testing::Test {
protected:
    void SetUp() override {
        bin_ = ProgramFolder();
        bin_.pop_back();
        const std::wstring tool = bin_ + L"\\vc2022";
        if (!FileExists(bin_ + L"\\ninja.exe") || !FileExists(tool + L"\\config.ini")) {
            GTEST_SKIP() << "no ninja.exe or test tool vc2022 beside the tests";
        }
        project_ = folder_.Path() + L"app";
        CreateDirectoryW(project_.c_str(), nullptr);
        WriteFileBytes(project_ + L"\\main.c",
                       "#include <stdio.h>\n#include \"util.h\"\n"
                       "int main(void) { printf(\"sum %d\\n\", add(2, 3)); return 0; }\n");
        WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) { return a + b; }\n");
        WriteFileBytes(project_ + L"\\util.h", "int add(int a, int b);\n");
        WriteFileBytes(project_ + L"\\build.tvk",
                       "TARGETNAME=app\r\nTARGETTYPE=EXE\r\nRUNTIMELIB=LIBCMT\r\nUSEUNICODE=0\r\n\r\n"
                       "SOURCES=\\\r\n    main.c \\\r\n    util.c \r\n");
        outputRoot_ = folder_.Path() + L"out";
        program_ = outputRoot_ + L"\\obj\\vc2022_x64_debug\\app.exe\\app.exe";
        path_ = bin_ + L";" + bench::ToolConfigValue(tool, L"BIN_X64");
        include_ = bench::ToolConfigValue(tool, L"INCLUDE");
        lib_ = outputRoot_ + L"\\lib\\vc2022_x64;" + bench::ToolConfigValue(tool, L"LIB_X64");
    }

    // build.exe as the editor starts it: "-z FLAG PATH" and a block of the configuration only.
    Outcome Build(const std::wstring& flag) {
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring strings[] = {
            L"TarvikDir=" + bin_, L"BuildTool=vc2022", L"BuildArch=x64", L"BuildType=debug",
            L"IntDir=vc2022_x64_debug", L"OutputRoot=" + outputRoot_, L"Tmp=" + folder_.Path(),
            L"Temp=" + folder_.Path(), L"SystemRoot=" + std::wstring(windows), L"Path=" + path_,
            L"INCLUDE=" + include_, L"LIB=" + lib_,
        };
        std::wstring block;
        for (const std::wstring& text : strings) {
            block += text + L'\0';
        }
        block += L'\0';
        return RunProgram(L"\"" + bin_ + L"\\build.exe\" -z " + flag + L" " + project_ + L"\\build.tvk", block);
    }

    // Sets the file's write time a few seconds ahead, as an edit would, without waiting for the clock.
    static void Touch(const std::wstring& path) {
        unique_hfile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER later{{now.dwLowDateTime, now.dwHighDateTime}};
        later.QuadPart += 3ULL * 10000000ULL;
        const FILETIME time{later.LowPart, later.HighPart};
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
    }

    TempFolder folder_;
    std::wstring bin_;
    std::wstring project_;
    std::wstring outputRoot_;
    std::wstring program_;
    std::wstring path_;
    std::wstring include_;
    std::wstring lib_;
};

TEST_F(BuildExe, BuildsOnlyWhatChangedAndReportsFailures) {
    Outcome first = Build(L"");
    ASSERT_EQ(first.exitCode, 0u) << first.output;
    EXPECT_EQ(first.Count("Compiling "), 2) << first.output;
    EXPECT_TRUE(first.Has("Linking " + Narrow(program_) + "\r\n")) << first.output;
    EXPECT_TRUE(first.Has("OutputFile " + Narrow(program_) + "\r\n")) << first.output;
    Outcome run = RunProgram(L"\"" + program_ + L"\"", L"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "sum 5\r\n");

    Outcome again = Build(L"");
    EXPECT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_EQ(again.Count("Compiling "), 0) << again.output;
    EXPECT_FALSE(again.Has("Linking ")) << again.output;

    Touch(project_ + L"\\util.h");
    Outcome touched = Build(L"");
    EXPECT_EQ(touched.exitCode, 0u) << touched.output;
    EXPECT_TRUE(touched.Has("Compiling main.c") && touched.Has("Compiling util.c")) << touched.output;

    WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) {\n    return a + b\n}\n");
    Touch(project_ + L"\\util.c");
    Outcome broken = Build(L"");
    EXPECT_NE(broken.exitCode, 0u) << broken.output;
    EXPECT_TRUE(broken.Has(Narrow(project_) + "\\util.c(4) : error ")) << broken.output;
    EXPECT_TRUE(broken.Has("build.tvk : error : build failed")) << broken.output;
    EXPECT_FALSE(broken.Has("OutputFile")) << broken.output;

    WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) { return a + b; }\n");
    Outcome cleaned = Build(L"/c");
    EXPECT_EQ(cleaned.exitCode, 0u) << cleaned.output;
    EXPECT_FALSE(FileExists(program_));
    EXPECT_FALSE(FileExists(outputRoot_ + L"\\obj\\vc2022_x64_debug\\app.exe\\main.obj"));

    ASSERT_EQ(Build(L"").exitCode, 0u);
    Outcome rebuilt = Build(L"/r");
    EXPECT_EQ(rebuilt.exitCode, 0u) << rebuilt.output;
    EXPECT_EQ(rebuilt.Count("Compiling "), 2) << rebuilt.output;
    EXPECT_TRUE(FileExists(program_));

    Outcome ran = Build(L"/t");
    EXPECT_EQ(ran.exitCode, 0u) << ran.output;
    EXPECT_TRUE(ran.Has("sum 5")) << ran.output;
}

TEST_F(BuildExe, NamesAMissingCompiler) {
    path_ = bin_;
    Outcome outcome = Build(L"");
    EXPECT_NE(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(outcome.Has("build.tvk : error : cl.exe not found on Path")) << outcome.output;
    EXPECT_FALSE(FileExists(program_));
}

}  // namespace
}  // namespace kelpo::test
