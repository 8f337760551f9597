// Command-line syntax, installer switches and the hand-over block.
#include <gtest/gtest.h>

#include <cstring>

#include "app/command_line.h"
#include "app/hand_over.h"

namespace kelpo {
namespace {

TEST(CommandLine, LineSwitchAppliesToTheFilesThatFollowIt) {
    const auto files = ParseFileArguments({L"a.c", L"-line:10", L"b.c", L"-line:20,5", L"c.c", L"d.c"});
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], (FileArgument{L"a.c", false, 0, 1}));
    EXPECT_EQ(files[1], (FileArgument{L"b.c", true, 10, 1}));
    EXPECT_EQ(files[2], (FileArgument{L"c.c", true, 20, 5}));
    EXPECT_EQ(files[3], (FileArgument{L"d.c", true, 20, 5}));
}

TEST(CommandLine, SwitchesAndPathsAreToldApart) {
    EXPECT_TRUE(IsSwitch(L"-line:3"));
    EXPECT_TRUE(IsSwitch(L"/LINE:3"));
    EXPECT_TRUE(IsSwitch(L"\\line:5"));
    EXPECT_FALSE(IsSwitch(L"\\\\server\\share\\x.c"));  // a network path is a file
    EXPECT_FALSE(IsSwitch(L"c:\\x.c"));
    EXPECT_FALSE(IsSwitch(L""));

    const auto files = ParseFileArguments({L"\\LiNe:5,2", L"\\\\server\\x.c", L"-other", L"/q", L"y.c"});
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], (FileArgument{L"\\\\server\\x.c", true, 5, 2}));
    EXPECT_EQ(files[1].path, L"y.c");
    EXPECT_EQ(IgnoredSwitches({L"\\LiNe:5,2", L"\\\\server\\x.c", L"-other", L"/home/me/y.c", L"y.c"}),
              (std::vector<std::wstring>{L"-other", L"/home/me/y.c"}));
}

TEST(CommandLine, LineValuesAreReadLikeDecimalIntegers) {
    EXPECT_EQ(ParseFileArguments({L"-line:", L"a"})[0].line, 0);
    EXPECT_EQ(ParseFileArguments({L"-line:-1", L"a"})[0].line, -1);
    EXPECT_EQ(ParseFileArguments({L"-line:12abc", L"a"})[0].line, 12);
    EXPECT_EQ(ParseFileArguments({L"-line:99999999999", L"a"})[0].line, 0x7FFFFFFF);
    const auto noColumn = ParseFileArguments({L"-line:3,x", L"a"});
    EXPECT_EQ(noColumn[0].line, 3);
    EXPECT_EQ(noColumn[0].column, 0);
}

TEST(CommandLine, InstallerSwitches) {
    EXPECT_EQ(FindInstallerSwitch({L"-xi"}), InstallerAction::PostInstall);
    EXPECT_EQ(FindInstallerSwitch({L"a.c", L"/XU"}), InstallerAction::Uninstall);
    EXPECT_EQ(FindInstallerSwitch({L"\\xUninstall"}), InstallerAction::Uninstall);
    EXPECT_EQ(FindInstallerSwitch({L"xi", L"-x", L"-line:3", L"\\\\xi"}), InstallerAction::None);
}

TEST(CommandLine, UsageTextIsExact) {
    EXPECT_STREQ(kUsageText,
                 L"Usage:\r\nkelpo [Switches] FilePath...\r\n\r\nSwitches:\r\n  -line:X     Scroll to indicated line\r\n"
                 L"\r\nExamples:\r\nkelpo -line:3 d:\\foo.txt       Open d:\\foo.txt and jump to line 3\r\n");
}

TEST(HandOver, BlockHoldsDirectoryThenCommandLineInFixedSize) {
    const std::wstring commandLine = L"kelpo.exe -line:3 a.c";
    const auto block = BuildHandOverBlock(L"C:\\work", commandLine);
    EXPECT_EQ(block.size(), commandLine.size() * 2 + 522);
    const auto read = ReadHandOverBlock(block.data(), block.size());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->directory, L"C:\\work");
    EXPECT_EQ(read->commandLine, commandLine);
}

TEST(HandOver, LongDirectoryIsCutAndStillFits) {
    const std::wstring longDirectory(400, L'd');
    const auto block = BuildHandOverBlock(longDirectory, L"k x");
    const auto read = ReadHandOverBlock(block.data(), block.size());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->directory.size(), 259u);
    EXPECT_EQ(read->commandLine, L"k x");
}

TEST(HandOver, ReceivedBlocksAreNeverReadPastTheirSize) {
    EXPECT_FALSE(ReadHandOverBlock(nullptr, 100).has_value());
    const char16_t unterminated[] = {u'C', u':', u'\\', u'x'};
    EXPECT_FALSE(ReadHandOverBlock(unterminated, sizeof unterminated).has_value());
    const char16_t noCommandLine[] = {u'C', 0, u'k', u'e'};
    EXPECT_FALSE(ReadHandOverBlock(noCommandLine, sizeof noCommandLine).has_value());
    const char16_t odd[] = {u'C', 0, u'k', 0};
    EXPECT_FALSE(ReadHandOverBlock(odd, sizeof odd - 1).has_value());  // last unit cut in half
    const auto ok = ReadHandOverBlock(odd, sizeof odd);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->commandLine, L"k");
}

}  // namespace
}  // namespace kelpo
