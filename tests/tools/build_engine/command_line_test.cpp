// The command lines of build.exe: the editor's "-z FLAG PATH" with blanks in the path, and requests
// with switches.
#include <gtest/gtest.h>

#include "build_engine/command_line.h"

namespace kelpo::engine {
namespace {

TEST(EngineCommandLine, ReadsBothForms) {
    const struct {
        const char* line;
        BuildAction action;
        const char* project;
        bool ignoreFailures;
        bool verbose;
        int jobs;
    } cases[] = {
        {"-z  C:\\My Projects\\app\\build.tvk", BuildAction::Build, "C:\\My Projects\\app\\build.tvk", false, false, 0},
        {"-z /r C:\\a b\\build.tvk\r\n", BuildAction::Rebuild, "C:\\a b\\build.tvk", false, false, 0},
        {"-Z /C  C:\\x\\app.tvk", BuildAction::Clean, "C:\\x\\app.tvk", false, false, 0},
        {"-z /t C:\\x\\build.tvk", BuildAction::BuildAndRun, "C:\\x\\build.tvk", false, false, 0},
        {"-z \"C:\\q d\\build.tvk\"", BuildAction::Build, "C:\\q d\\build.tvk", false, false, 0},
        {"myproj", BuildAction::Build, "myproj", false, false, 0},
        {" -i /V -j3 -r my proj ", BuildAction::Rebuild, "my proj", true, true, 3},
        {"-c \"C:\\a b\"", BuildAction::Clean, "C:\\a b", false, false, 0},
    };
    for (const auto& c : cases) {
        EngineRequest request;
        std::string error;
        ASSERT_TRUE(ParseCommandLine(c.line, request, error)) << c.line << ": " << error;
        EXPECT_EQ(request.action, c.action) << c.line;
        EXPECT_EQ(request.project, c.project) << c.line;
        EXPECT_EQ(request.ignoreFailures, c.ignoreFailures) << c.line;
        EXPECT_EQ(request.verbose, c.verbose) << c.line;
        EXPECT_EQ(request.jobs, c.jobs) << c.line;
    }
}

TEST(EngineCommandLine, RefusesWhatItDoesNotKnow) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"-z /q C:\\x\\build.tvk", "unknown flag '/q'"},
        {"-z  ", "no project file"},
        {"-x myproj", "unknown switch '-x'"},
        {"-j myproj", "unknown switch '-j'"},
        {"-i", "no project folder"},
        {"", "no project folder"},
    };
    for (const auto& c : cases) {
        EngineRequest request;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(c.line, request, error)) << c.line;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.line << ": " << error;
    }
}

TEST(EngineCommandLine, SkipsTheProgramName) {
    EXPECT_EQ(SkipProgramName("build.exe -z  C:\\a b\\build.tvk"), " -z  C:\\a b\\build.tvk");
    EXPECT_EQ(SkipProgramName("\"C:\\Program Files\\kelpo\\build.exe\" -i x"), " -i x");
    EXPECT_EQ(SkipProgramName("C:\\kelpo\\build.exe"), "");
}

}  // namespace
}  // namespace kelpo::engine
