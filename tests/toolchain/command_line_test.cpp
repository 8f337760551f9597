// Command-line words of the driver programs: response files and the quoting of tcc's command line.
#include "drivers/command_line.h"

#include <gtest/gtest.h>

#include <map>

using namespace toolchain;
using Words = std::vector<std::string>;

TEST(CommandLine, SplitsAsTheRunTimeDoes) {
    const struct {
        const char* text;
        Words words;
    } cases[] = {
        {"  /c  a.c\r\n/Fo\"out dir\\a.obj\"\n", {"/c", "a.c", "/Foout dir\\a.obj"}},
        {"\"C:\\My Files\\a.c\" b.c", {"C:\\My Files\\a.c", "b.c"}},
        {"/DTEXT=\\\"hi\\\" x", {"/DTEXT=\"hi\"", "x"}},
        {"\"C:\\dir\\\\\" next", {"C:\\dir\\", "next"}},
        {"a\\\\b \"\"", {"a\\\\b", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text;
    }
}

TEST(CommandLine, QuotedWordsSplitBackUnchanged) {
    const Words words{"plain", "with space", "", "C:\\dir\\", "say \"hi\"", "C:\\dir with space\\", "a\\\\\"b"};
    EXPECT_EQ(SplitCommandLine(JoinCommandLine(words)), words);
    EXPECT_EQ(QuoteArgument("plain"), "plain");
}

TEST(CommandLine, ResponseFilesAreExpandedInPlace) {
    const std::map<std::string, std::string> files{
        {"cl.rsp", "/c /nologo\r\n\"my file.c\""},
        {"wide.rsp", std::string("\xFF\xFE/\0c\0 \0x\0.\0c\0", 14)},
    };
    auto read = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = files.find(name);
        return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    std::string missing;
    EXPECT_EQ(ExpandResponseFiles({"/W3", "@cl.rsp", "/Zi"}, read, missing),
              (Words{"/W3", "/c", "/nologo", "my file.c", "/Zi"}));
    EXPECT_EQ(ExpandResponseFiles({"@wide.rsp"}, read, missing), (Words{"/c", "x.c"}));
    EXPECT_TRUE(missing.empty());
    EXPECT_TRUE(ExpandResponseFiles({"@gone.rsp"}, read, missing).empty());
    EXPECT_EQ(missing, "gone.rsp");
}

TEST(CommandLine, PathListsDropEmptyElements) {
    EXPECT_EQ(SplitPathList(";C:\\a;;C:\\b c;"), (Words{"C:\\a", "C:\\b c"}));
    EXPECT_TRUE(SplitPathList("").empty());
}
