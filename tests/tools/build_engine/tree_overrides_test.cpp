// "build.xml": what each override adds to a build, and the faults it reports.
#include <gtest/gtest.h>

#include "build_engine/tree_overrides.h"

namespace kelpo::engine {
namespace {

TEST(TreeOverrides, AddWhatHoldsForTheBuild) {
    const char* text =
        "<?xml version=\"1.0\"?>\n<!-- remark -->\n<build>\n"
        "  <flags cflags=\"/W4\" defines=\"A;B=1\"/>\n"
        "  <flags when=\"debug\" cflags=\"/RTC1\" includes=\"inc; ..\\common\" libpaths=\"lib\"/>\n"
        "  <flags when=\"release !dll\" lflags=\"/LTCG\" libs=\"ws2_32.lib\" rflags=\"/n\" aflags=\"/Zi\""
        " libflags=\"/LTCG\"/>\n"
        "</build>\n";
    std::vector<TreeOverride> overrides;
    std::string error;
    ASSERT_TRUE(ReadTreeOverrides(text, overrides, error)) << error;
    BuildTraits debug{"vc2022", "x64", "debug", "exe", "libcmt", false, false};
    ExtraFlags extra = ApplyTreeOverrides(overrides, debug, "C:\\tree\\src");
    EXPECT_EQ(extra.cflags, "/W4 /RTC1");
    EXPECT_EQ(extra.defines, (std::vector<std::string>{"A", "B=1"}));
    EXPECT_EQ(extra.includes, (std::vector<std::string>{"C:\\tree\\src\\inc", "C:\\tree\\common"}));
    EXPECT_EQ(extra.libPaths, (std::vector<std::string>{"C:\\tree\\src\\lib"}));
    EXPECT_TRUE(extra.lflags.empty());

    BuildTraits release{"vc2022", "x64", "release", "exe", "libcmt", false, false};
    extra = ApplyTreeOverrides(overrides, release, "C:\\tree");
    EXPECT_EQ(extra.cflags, "/W4");
    EXPECT_EQ(extra.lflags, "/LTCG");
    EXPECT_EQ(extra.libflags, "/LTCG");
    EXPECT_EQ(extra.rflags, "/n");
    EXPECT_EQ(extra.aflags, "/Zi");
    EXPECT_EQ(extra.libs, (std::vector<std::string>{"ws2_32.lib"}));
    release.targetType = "dll";
    EXPECT_TRUE(ApplyTreeOverrides(overrides, release, "C:\\tree").lflags.empty());
}

TEST(TreeOverrides, ReportFaults) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"<project/>", "the document must be one <build> element"},
        {"", "the document must be one <build> element"},
        {"<build><flag cflags=\"x\"/></build>", "unknown element <flag>"},
        {"<build><flags cflag=\"x\"/></build>", "unknown attribute 'cflag'"},
        {"<build><flags when=\"debug|fast\"/></build>", "when=\"debug|fast\": unknown condition word 'fast'"},
    };
    for (const auto& c : cases) {
        std::vector<TreeOverride> overrides;
        std::string error;
        EXPECT_FALSE(ReadTreeOverrides(c.text, overrides, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << "\ngot: " << error;
    }
}

}  // namespace
}  // namespace kelpo::engine
