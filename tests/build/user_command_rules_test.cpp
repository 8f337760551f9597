// The window-free rules of the user commands: menu lines, chains, build requests, the debugger's
// command line and program, the batch-build ticks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/batch_build_ticks.h"
#include "build/build_request.h"
#include "build/command_chain.h"
#include "build/debug_target.h"
#include "build/user_menu.h"

namespace kelpo {
namespace {

// A menu as text: "-" a separator, "label>command" an item.
std::vector<std::wstring> Shown(const UserMenu& menu) {
    std::vector<std::wstring> rows;
    for (const UserMenuRow& row : menu.rows) {
        rows.push_back(row.separator ? L"-" : row.label + L">" + menu.commands.at(row.command));
    }
    return rows;
}

TEST(UserMenu, SectionLinesBecomeRows) {
    struct Case {
        bool autoBuild;
        std::vector<std::wstring> lines;
        std::vector<std::wstring> rows;
    };
    const Case cases[] = {
        {false, {L"# a comment", L"#-", L"no equals", L"All=tarvik vc2022 proj", L"#-", L"X=a=b|c"},
         {L"-", L"-", L"All>tarvik vc2022 proj", L"-", L"X>a=b|c"}},
        {false, {L"# only=comments", L"plain"}, {}},
        {true, {L"All=tarvik vc2022 proj|F7", L"no equals", L"#x=y", L"Run=notepad"},
         {L"-", L"All>tarvik vc2022 proj", L"-", L"#x>y", L"Run>notepad"}},
        {true, {L"=empty|", L"Bar=|x|y"}, {L"-", L">empty", L"Bar>"}},
    };
    for (const Case& c : cases) {
        const UserMenu menu = c.autoBuild ? AutoBuildSectionMenu(c.lines) : BuildSectionMenu(c.lines);
        EXPECT_EQ(Shown(menu), c.rows) << c.autoBuild << " " << c.lines.front();
    }
}

TEST(UserMenu, OnlyTheIdentifierRangeGetsItems) {
    std::vector<std::wstring> lines;
    for (int i = 0; i < 120; ++i) {
        lines.push_back(L"L" + std::to_wstring(i) + L"=c" + std::to_wstring(i));
    }
    const UserMenu menu = BuildSectionMenu(lines);
    ASSERT_EQ(menu.commands.size(), kMaxUserCommands);
    EXPECT_EQ(menu.commands.back(), L"c100");
    EXPECT_EQ(menu.rows.back().command, 100);
}

TEST(CommandChain, SplitsAtAmpersands) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> parts;
    };
    const Case cases[] = {
        {L"tarvik config vc2022_x64_debug & tarvik list", {L"tarvik config vc2022_x64_debug ", L"tarvik list"}},
        {L"a&&\t b& ", {L"a", L"b"}},
        {L"  \tlast", {L"last"}},
        {L"", {}},
        {L"&", {}},
    };
    for (const Case& c : cases) {
        const CommandChain chain = SplitCommandChain(c.text);
        EXPECT_FALSE(chain.tooLong);
        EXPECT_EQ(chain.parts, c.parts) << c.text;
    }
    EXPECT_FALSE(SplitCommandChain(std::wstring(511, L'x') + L"&y").tooLong);
    const CommandChain tooLong = SplitCommandChain(L"tarvik list & " + std::wstring(512, L'x'));
    EXPECT_TRUE(tooLong.tooLong);
    EXPECT_TRUE(tooLong.parts.empty()) << "nothing of a chain with a cut command runs";
}

TEST(BuildRequest, SwitchesFolderAndCommandLine) {
    struct Case {
        std::vector<std::wstring> arguments;
        bool ignore;
        bool keep;
        const wchar_t* commandLine;
    };
    const Case cases[] = {
        {{L"proj"}, false, false, L"C:\\k\\build.exe proj"},
        {{L"-i", L"first", L"/X", L"proj"}, true, false, L"C:\\k\\build.exe -i /X proj"},
        {{L"-K", L"\\I", L"proj", L"-"}, true, true, L"cmd.exe /K C:\\k\\build.exe \\I - proj"},
        {{L"-k"}, false, true, L"cmd.exe /K cls"},
        {{}, false, false, L"cmd.exe /K cls"},
    };
    for (const Case& c : cases) {
        const BuildRequest request = JudgeBuildRequest(c.arguments);
        EXPECT_EQ(request.ignoreFailures, c.ignore) << c.commandLine;
        EXPECT_EQ(request.keepConsole, c.keep) << c.commandLine;
        EXPECT_EQ(BuildRequestCommandLine(L"C:\\k\\", request), c.commandLine);
    }
    BuildRequest kept = JudgeBuildRequest(std::vector<std::wstring>{L"-k", L"my proj"});
    EXPECT_EQ(BuildRequestCommandLine(L"C:\\Program Files\\k\\", kept),
              L"cmd.exe /K \"\"C:\\Program Files\\k\\build.exe\" my proj\"");
    kept.keepConsole = false;
    EXPECT_EQ(BuildRequestCommandLine(L"C:\\Program Files\\k\\", kept), L"\"C:\\Program Files\\k\\build.exe\" my proj");
}

TEST(BuildRequest, WorkingFolderIsDefaultDirForAnExistingRelativeFolder) {
    const auto exists = [](const std::wstring& folder) { return folder == L"D:\\work\\proj"; };
    struct Case {
        const wchar_t* folder;
        const wchar_t* defaultDir;
        const wchar_t* working;
    };
    const Case cases[] = {
        {L"proj", L"D:\\work\\", L"D:\\work\\"},
        {L"proj", L"D:\\work", L"D:\\work\\"},
        {L"other", L"D:\\work\\", L""},
        {L"D:\\work\\proj", L"D:\\work\\", L""},
        {L"\\work\\proj", L"D:\\", L""},
        {L"", L"D:\\work\\", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildRequestWorkingFolder(c.folder, c.defaultDir, exists), c.working) << c.folder;
    }
}

TEST(Debugger, OnlyTheFirstPercentSIsReplaced) {
    const std::wstring program = L"C:\\o\\obj\\vc2022_x64_debug\\app.exe\\app.exe";
    struct Case {
        const wchar_t* format;
        std::wstring line;
    };
    const Case cases[] = {
        {L"windbg.exe %s", L"windbg.exe " + program},
        {L"dbg \"%s\" %s %n %d 100%", L"dbg \"" + program + L"\" %s %n %d 100%"},
        {L"%%s", L"%" + program},
        {L"dbg.exe", L"dbg.exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DebuggerCommandLine(c.format, program), c.line) << c.format;
    }
    EXPECT_TRUE(DebuggerCommandLine(std::wstring(258, L'x') + L"%s", program).has_value());
    EXPECT_FALSE(DebuggerCommandLine(std::wstring(259, L'x') + L"%s", program).has_value());
}

TEST(Debugger, TargetOfTheProjectFile) {
    struct Case {
        std::string text;
        bool found;
        const char* name;
        const char* type;
        bool executable;
    };
    const Case cases[] = {
        {"TARGETNAME=app\r\nTARGETTYPE=exe\r\n", true, "app", "exe", true},
        {"SOURCES=a.c\nTARGETTYPE=DLL\nTARGETNAME=lib\n", true, "lib", "DLL", false},
        {"TARGETNAME=a\r\nTARGETNAME=b\r\nTARGETTYPE=DLL\r\n", true, "b", "EXE", true},  // two key lines end the read
        {"TARGETNAME=app\n", true, "app", "EXE", true},
        {"TARGETTYPE=EXE\n", true, "folder", "EXE", true},
        {"targetname=x\nSOURCES=y\n", false, "", "", false},
        {std::string(300, 'x') + "\nTARGETTYPE=EXE 2\n", true, "folder", "EXE 2", false},
    };
    for (const Case& c : cases) {
        const std::optional<DebugTarget> target = ReadDebugTarget(c.text, "folder");
        ASSERT_EQ(target.has_value(), c.found) << c.text;
        if (target) {
            EXPECT_EQ(target->name, c.name) << c.text;
            EXPECT_EQ(target->type, c.type) << c.text;
            EXPECT_EQ(IsExecutableTarget(*target), c.executable) << c.text;
        }
    }
    EXPECT_EQ(DebugProgramPath(L"D:\\out\\", L"vc2022_x64_debug", L"app"),
              L"D:\\out\\obj\\vc2022_x64_debug\\app.exe\\app.exe");
    EXPECT_EQ(DebugProgramPath(L"D:\\p", L"vc6_x86_release", L"a b"), L"D:\\p\\obj\\vc6_x86_release\\a b.exe\\a b.exe");
}

TEST(BatchBuild, TicksAreWrittenAndReadByConfigurationName) {
    const std::vector<unsigned> ticked = {0x8941, 0x8940, 0x8A10};
    const std::vector<std::wstring> lines = BatchBuildLines(ticked);
    EXPECT_EQ(lines,
              (std::vector<std::wstring>{L"vc2019_arm_release=1", L"vc2019_arm_debug=1", L"vc2022_x64_debug=1"}));
    for (unsigned code : ticked) {
        EXPECT_TRUE(IsTicked(lines, code)) << std::hex << code;
        EXPECT_TRUE(IsTicked(lines, code & 0x7FFF)) << "the parser's codes name the same";
    }
    EXPECT_FALSE(IsTicked(lines, 0x8A11));
    struct Case {
        const wchar_t* line;
        bool ticked;
    };
    const Case cases[] = {
        {L"VC2019_ARM64_Release=1", true}, {L"vc2019_arm64_release = 2 ", true}, {L"vc2019_arm64_release=0", false},
        {L"vc2019_arm64_release=-1", false}, {L"vc2019_arm64_release=yes", false}, {L"vc2019_arm64=1", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsTicked({c.line}, 0x8921), c.ticked) << c.line;
    }
}

}  // namespace
}  // namespace kelpo
