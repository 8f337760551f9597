// "vc.mk": faults with their lines, the choice of sections, and the shipped defaults giving each kind
// of build the options MSVC users expect.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "build_engine/make_rules.h"

namespace kelpo::engine {
namespace {

BuildTraits Traits(const char* tool, const char* arch, const char* type, const char* targetType,
                   const char* runtimeLib, bool unicode, bool pch) {
    return {tool, arch, type, targetType, runtimeLib, unicode, pch};
}

TEST(MakeRules, FaultsNameTheirLine) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"cflags = /W3\ncflag = /W4\n", 2, "unknown key 'cflag'"},
        {"# remark\r\n\r\n[debug\r\n", 3, "a section line must end with ']'"},
        {"[debug fast]\n", 1, "unknown condition word 'fast'"},
        {"[x64|amd64]\n", 1, "unknown condition word 'amd64'"},
        {"[! debug]\n", 1, "'!' must stand before a word"},
        {"cflags /W3\n", 1, "expected 'key = value'"},
        {"\n = x\n", 2, "a key is missing before '='"},
    };
    for (const auto& c : cases) {
        MakeRules rules;
        MakeError error;
        EXPECT_FALSE(ReadMakeRules(c.text, rules, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.message.rfind(c.message, 0), 0u) << c.text << "\ngot: " << error.message;
    }
}

TEST(MakeRules, SectionsApplyInFileOrder) {
    const char* text =
        "\xEF\xBB\xBF" "cflags = /a\n"
        "[debug]\ncflags += /d\n"
        "[RELEASE x64|arm64]\ncflags += /r64\n"
        "[!pch lib]\ncflags = /lib\n"
        "[unicode]\nlflags += /u\n"
        "[ansi vc6]\nlflags = /old\n";
    MakeRules rules;
    MakeError error;
    ASSERT_TRUE(ReadMakeRules(text, rules, error)) << error.line << ": " << error.message;
    const struct {
        BuildTraits traits;
        const char* cflags;
        const char* lflags;
    } cases[] = {
        {Traits("vc2022", "x64", "debug", "exe", "libcmt", true, false), "/a /d", "/u"},
        {Traits("vc2022", "arm64", "release", "exe", "libcmt", false, false), "/a /r64", ""},
        {Traits("vc2022", "x86", "release", "lib", "libcmt", false, false), "/lib", ""},
        {Traits("vc2022", "x86", "release", "lib", "libcmt", false, true), "/a", ""},
        {Traits("vc6", "x86", "debug", "dll", "msvcrxx", false, false), "/a /d", "/old"},
    };
    for (const auto& c : cases) {
        auto values = ResolveMakeRules(rules, c.traits);
        EXPECT_EQ(values["cflags"], c.cflags) << c.traits.type << " " << c.traits.arch << " " << c.traits.targetType;
        EXPECT_EQ(values["lflags"], c.lflags) << c.traits.type << " " << c.traits.arch << " " << c.traits.targetType;
    }
}

std::string Words(const std::string& flags) { return " " + flags + " "; }

TEST(MakeRules, ShippedDefaultsGiveWhatMsvcUsersExpect) {
    std::ifstream file(KELPO_SOURCE_DIR "/tools/build_engine/defaults/vc.mk", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    MakeRules rules;
    MakeError error;
    ASSERT_TRUE(ReadMakeRules(text.str(), rules, error)) << error.line << ": " << error.message;
    const struct {
        BuildTraits traits;
        std::vector<const char*> cflags;  // each present
        std::vector<const char*> notInCflags;
        const char* link;                 // in the link rule, or in the archive rule for a LIB
    } cases[] = {
        {Traits("vc2022", "x64", "debug", "exe", "libcmt", false, false), {"/MTd", "/Zi", "/Od", "/FS", "/D_MBCS"},
         {"/MT", "/O2", "/DUNICODE"}, "/DEBUG"},
        {Traits("vc2022", "x64", "release", "exe", "libcmt", true, false), {"/MT", "/O2", "/DUNICODE", "/D_UNICODE"},
         {"/MTd", "/Zi", "/Od"}, "/DEBUG"},
        {Traits("vc2019", "x86", "debug", "dll", "msvcrxx", false, false), {"/MDd", "/D_USRDLL"}, {"/D_AFXDLL"},
         "/IMPLIB:$implib"},
        {Traits("vc2019", "x86", "release", "exe", "mfcdll", true, false), {"/MD", "/D_AFXDLL"}, {"/MDd"}, "/DEBUG"},
        {Traits("vc2017", "x64", "release", "exe", "mfcstatic", false, false), {"/MT"}, {"/D_AFXDLL", "/MD"}, ""},
        {Traits("vc2022", "x64", "debug", "sys", "none", false, false), {"/kernel", "/Zi", "/DDBG=1"},
         {"/MTd", "/MDd", "/D_MBCS"}, "/DRIVER"},
        {Traits("vc6", "x86", "debug", "lib", "libcmt", false, true), {"/MTd", "/Zi"}, {"/FS"}, "/OUT:$out"},
    };
    for (const auto& c : cases) {
        auto values = ResolveMakeRules(rules, c.traits);
        const std::string name = c.traits.tool + " " + c.traits.type + " " + c.traits.targetType + " " +
                                 c.traits.runtimeLib;
        for (const char* flag : c.cflags) {
            EXPECT_NE(Words(values["cflags"]).find(Words(flag)), std::string::npos) << name << ": " << flag;
        }
        for (const char* flag : c.notInCflags) {
            EXPECT_EQ(Words(values["cflags"]).find(Words(flag)), std::string::npos) << name << ": " << flag;
        }
        const std::string link =
            c.traits.targetType == "lib" ? values["archive"] : values["link"] + " " + values["lflags"];
        EXPECT_NE(link.find(c.link), std::string::npos) << name << ": " << link;
        EXPECT_NE(values["pch_create"].find("/Yc"), std::string::npos);
        EXPECT_NE(values["pch_use"].find("/Yu"), std::string::npos);
        EXPECT_EQ(values["compile"].find("/showIncludes") != std::string::npos, c.traits.tool != "vc6") << name;
    }
}

}  // namespace
}  // namespace kelpo::engine
