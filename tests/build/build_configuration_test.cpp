// Configuration codes, names, offering order and the configuration list parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/build_configuration.h"

namespace kelpo {
namespace {

constexpr unsigned kVc6 = 0x000, kVc2019 = 0x900, kVc2022 = 0xA00;

TEST(BuildConfiguration, NamesAndLabels) {
    struct Case {
        unsigned code;
        const wchar_t* name;
        const wchar_t* box;
        const wchar_t* menu;
    };
    const Case cases[] = {
        {0x8A10, L"vc2022_x64_debug", L"Visual C++ 2022 x64 Debug", L"x64 debug"},
        {0x0A10, L"vc2022_x64_debug", L"Visual C++ 2022 x64 Debug", L"x64 debug"},
        {0x8321, L"vc2008_arm64_release", L"Visual C++ 2008 ARM64 Release", L"ARM64 release"},
        {0x8941, L"vc2019_arm_release", L"Visual C++ 2019 ARM Release", L"ARM release"},
        {0x8030, L"vc6_unknown_debug", L"Visual C++ 6.0 unknown Debug", L"unknown debug"},
        {0x8A12, L"", nullptr, nullptr},   // type "all" has no name
        {0x8A13, L"", nullptr, nullptr},
        {0x8B00, L"", nullptr, nullptr},   // past the table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigurationName(c.code), c.name) << std::hex << c.code;
        if (c.box != nullptr) {
            EXPECT_EQ(BoxLabel(c.code), c.box);
            EXPECT_EQ(MenuLabel(c.code), c.menu);
        }
    }
}

TEST(BuildConfiguration, ToolsOfferTheirArchitecturesInOrder) {
    const std::vector<unsigned> vc6 = {0x8000, 0x8001};
    const std::vector<unsigned> vc2019 = {0x8900, 0x8901, 0x8910, 0x8911, 0x8920, 0x8921, 0x8940, 0x8941};
    const std::vector<unsigned> vc2022 = {0x8A00, 0x8A01, 0x8A10, 0x8A11, 0x8A20, 0x8A21};
    EXPECT_EQ(ConfigurationsOfTool(*FindTool(L"vc6")), vc6);
    EXPECT_EQ(ConfigurationsOfTool(*FindTool(L"vc2019")), vc2019);
    EXPECT_EQ(ConfigurationsOfTool(*FindTool(L"vc2022")), vc2022);
    EXPECT_EQ(ConfigurationsOfTool(*FindTool(L"vc2008")).size(), 4u);
}

TEST(BuildConfiguration, ListsParseToCodesInItemOrder) {
    struct Case {
        const wchar_t* text;
        std::vector<unsigned> codes;
    };
    const Case cases[] = {
        {L"vc2022", {kVc2022 | 0x00, kVc2022 | 0x10, kVc2022 | 0x20, kVc2022 | 0x01, kVc2022 | 0x11, kVc2022 | 0x21}},
        {L"vc2019", {kVc2019 | 0x00, kVc2019 | 0x10, kVc2019 | 0x20, kVc2019 | 0x40,
                     kVc2019 | 0x01, kVc2019 | 0x11, kVc2019 | 0x21, kVc2019 | 0x41}},
        {L"vc6", {kVc6 | 0x00, kVc6 | 0x10, kVc6 | 0x01, kVc6 | 0x11}},
        {L"vc2022_debug_x64", {kVc2022 | 0x10}},
        {L"VC2022_X64_DEBUG", {kVc2022 | 0x10}},
        {L"vc2022_arm", {kVc2022 | 0x40, kVc2022 | 0x41}},  // only whole-tool and type forms check the tool
        {L"vc2022_release", {kVc2022 | 0x01, kVc2022 | 0x11, kVc2022 | 0x21}},
        {L"vc6_Debug", {kVc6 | 0x00, kVc6 | 0x10}},
        {L"vc2022_fast", {}},
        {L"vc9999", {}},
        {L"vc2022/", {kVc2022 | 0x00, kVc2022 | 0x10, kVc2022 | 0x20, kVc2022 | 0x01, kVc2022 | 0x11, kVc2022 | 0x21}},
        {L"vc6_x86_debug//vc2022_arm64_release/vc6_x86_debug", {kVc6, kVc2022 | 0x21, kVc6}},
        {L"", {}},
        {L"_x86_debug/vc2022_", {}},
    };
    for (const Case& c : cases) {
        int reports = 0;
        const ConfigurationList list = ParseConfigurationList(c.text, [&](const auto&, const auto&) { ++reports; });
        EXPECT_EQ(list.codes, c.codes) << c.text;
        EXPECT_EQ(reports, 0) << c.text;
        EXPECT_FALSE(list.tooLong || list.tooMany) << c.text;
    }
}

TEST(BuildConfiguration, BadPairIsReportedWithTheWholeList) {
    std::vector<std::wstring> reported;
    const ConfigurationList list = ParseConfigurationList(L"VC2022_X64_fast/vc6_debug_arm9/vc6_x86_debug",
                                                          [&](const std::wstring& pair, const std::wstring& whole) {
                                                              reported.push_back(pair + L"|" + whole);
                                                          });
    const std::vector<std::wstring> expected = {L"x64_fast|VC2022_X64_fast/vc6_debug_arm9/vc6_x86_debug",
                                                L"arm9_debug|VC2022_X64_fast/vc6_debug_arm9/vc6_x86_debug"};
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(list.codes, std::vector<unsigned>{kVc6});
}

TEST(BuildConfiguration, OverlongListIsRefusedAndCodesPastTwentyFourAreDropped) {
    std::wstring text;
    while (text.size() + 17 <= kMaxConfigurationListChars) {
        text += L"vc2022_x64_debug/";
    }
    ASSERT_LE(text.size(), kMaxConfigurationListChars);
    EXPECT_EQ(ParseConfigurationList(text, nullptr).codes.size(), text.size() / 17);
    EXPECT_TRUE(ParseConfigurationList(text + L"vc6_x86_debug", nullptr).tooLong);
    EXPECT_TRUE(ParseConfigurationList(text + L"vc6_x86_debug", nullptr).codes.empty());

    const ConfigurationList many = ParseConfigurationList(L"vc2019/vc2019/vc2019/vc2022", nullptr);
    EXPECT_TRUE(many.tooMany);
    ASSERT_EQ(many.codes.size(), kMaxConfigurationCodes);
    EXPECT_EQ(many.codes.back(), kVc2019 | 0x41);
}

}  // namespace
}  // namespace kelpo
