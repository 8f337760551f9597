// The driver programs of the test toolchain, run for real: compile with a header, link, run the program,
// and a compile error, all in the tool folder bin\vc2022 as a build would use it.
#include "drivers/driver_run.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // the scratch and build paths are ASCII
}

class ToolchainDrivers : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef KELPO_TEST_TCC
        GTEST_SKIP() << "configured without KELPO_TCC_DIR: the tool folder has no compiler";
#endif
        toolBin_ = Narrow(kelpo::test::ProgramFolder()) + "\\vc2022\\bin\\";
        folder_ = Narrow(folder.Path());
    }

    // Runs a program in the scratch folder; its exit code, its output in output_.
    unsigned long RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
        output_.clear();
        const auto exitCode = toolchain::RunCapturing(path, arguments, output_, folder_);
        EXPECT_TRUE(exitCode.has_value()) << path;
        std::erase(output_, '\r');  // console programs end their lines with CR LF, as cl does
        return exitCode.value_or(99);
    }

    unsigned long Run(const std::string& driver, const std::vector<std::string>& arguments) {
        return RunProgram(toolBin_ + driver, arguments);
    }

    void Write(const std::string& name, const std::string& text) {
        kelpo::test::WriteFileBytes(folder.File(std::wstring(name.begin(), name.end())), text);
    }

    bool Exists(const std::string& name) const {
        return kelpo::test::FileExists(folder.File(std::wstring(name.begin(), name.end())));
    }

    kelpo::test::TempFolder folder;
    std::string toolBin_;
    std::string folder_;
    std::string output_;
};

TEST_F(ToolchainDrivers, CompileLinkAndRun) {
    Write("greet.h", "#define GREETING \"hello from the test toolchain\"\n");
    Write("main.c", "#include <stdio.h>\n#include \"greet.h\"\nint main(void) { puts(GREETING); return 3; }\n");
    Write("main.rsp", "/nologo /Zi /Od /MTd /W3 /EHsc\r\n/Fdvc.pdb /c");

    ASSERT_EQ(Run("cl.exe", {"@main.rsp", "/showIncludes", "/Foobj_main.obj", "main.c"}), 0u) << output_;
    EXPECT_EQ(output_, "main.c\nNote: including file: " + folder_ + "greet.h\n");
    EXPECT_TRUE(Exists("obj_main.obj"));
    EXPECT_FALSE(Exists("obj_main.obj.d"));

    ASSERT_EQ(Run("rc.exe", {"/nologo", "/fo", "app.res", "main.c"}), 0u) << output_;
    ASSERT_EQ(Run("link.exe", {"/nologo", "/OUT:app.exe", "/DEBUG", "/SUBSYSTEM:CONSOLE", "obj_main.obj", "app.res",
                               "kernel32.lib", "advapi32.lib"}),
              0u)
        << output_;
    EXPECT_EQ(output_, "");

    EXPECT_EQ(RunProgram(folder_ + "app.exe", {}), 3u);
    EXPECT_EQ(output_, "hello from the test toolchain\n");
}

TEST_F(ToolchainDrivers, ErrorsComeInMsvcFormAndFail) {
    Write("broken.c", "int main(void)\n{\n    return missing;\n}\n");
    EXPECT_EQ(Run("cl.exe", {"/nologo", "/c", "/Fobroken.obj", "broken.c"}), 1u);
    EXPECT_EQ(output_, "broken.c\nbroken.c(3) : error C0001: 'missing' undeclared\n");
    EXPECT_FALSE(Exists("broken.obj"));

    Write("lonely.c", "int helper(void);\nint main(void) { return helper(); }\n");
    ASSERT_EQ(Run("cl.exe", {"/c", "lonely.c"}), 0u) << output_;
    EXPECT_NE(Run("link.exe", {"/OUT:lonely.exe", "lonely.obj"}), 0u);
    EXPECT_EQ(output_, "LINK : error LNK0001: undefined symbol 'helper'\n");
    EXPECT_FALSE(Exists("lonely.exe"));
}

TEST_F(ToolchainDrivers, StaticLibraryLinksIn) {
    Write("util.c", "int twice(int x) { return 2 * x; }\n");
    Write("use.c", "int twice(int);\nint main(void) { return twice(21); }\n");
    ASSERT_EQ(Run("cl.exe", {"/c", "util.c", "use.c"}), 0u) << output_;
    EXPECT_EQ(output_, "util.c\nuse.c\n");
    ASSERT_EQ(Run("lib.exe", {"/nologo", "/OUT:util.lib", "util.obj"}), 0u) << output_;
    ASSERT_EQ(Run("link.exe", {"/OUT:use.exe", "use.obj", "util.lib"}), 0u) << output_;
    EXPECT_EQ(RunProgram(folder_ + "use.exe", {}), 42u);
}

}  // namespace
