// The environment block of a configuration: its strings in order, the choices behind Path, INCLUDE
// and LIB, the "Variable" section and the size limits.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "build/build_environment.h"
#include "build/tool_values.h"

namespace kelpo {
namespace {

constexpr unsigned kVc2022X64Debug = 0x8A10;

EnvironmentInputs BaseInputs() {
    EnvironmentInputs inputs;
    inputs.programFolder = L"C:\\kelpo\\";
    inputs.tempFolder = L"C:\\tmp\\";
    inputs.windowsFolder = L"C:\\windows";
    return inputs;
}

std::vector<std::wstring> Strings(const std::wstring& block) {
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    while (start < block.size() && block[start] != L'\0') {
        const std::size_t end = block.find(L'\0', start);
        strings.push_back(block.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start + 1, block.size()) << "the block ends in one empty string";
    return strings;
}

// The strings from Path on, after the fixed head.
std::vector<std::wstring> Tail(const BuildEnvironment& environment, std::size_t head) {
    std::vector<std::wstring> strings = Strings(environment.block);
    return {strings.begin() + static_cast<std::ptrdiff_t>(head), strings.end()};
}

TEST(BuildEnvironment, FullBlockInOrder) {
    EnvironmentInputs inputs = BaseInputs();
    inputs.outputRoot = L"D:\\out";
    inputs.globalBin = L"D:\\bin";
    inputs.globalInclude = L"D:\\inc";
    inputs.variables = {L"A=1", L"NOEQUALS", L"=empty", L"EMPTY=", L"X=Y=Z"};
    inputs.toolValues = {{L"BIN_X64", L"C:\\kelpo\\vc2022\\bin\\Hostx64\\x64"}, {L"BIN_X86X64", L"cross"},
                         {L"INCLUDE", L"C:\\vc\\inc"}, {L"LIB_X64", L"C:\\vc\\lib\\x64"}, {L"DDK_LIB", L"C:\\ddk"}};
    inputs.processorArchitecture = L"AMD64";
    inputs.systemDrive = L"C:";
    const BuildEnvironment environment = ComposeEnvironmentBlock(kVc2022X64Debug, inputs);
    const std::vector<std::wstring> expected = {
        L"TarvikDir=C:\\kelpo", L"BuildTool=vc2022", L"BuildArch=x64", L"BuildType=debug",
        L"IntDir=vc2022_x64_debug", L"OutputRoot=D:\\out", L"Tmp=C:\\tmp\\", L"Temp=C:\\tmp\\",
        L"PROCESSOR_ARCHITECTURE=AMD64", L"SystemDrive=C:", L"SystemRoot=C:\\windows",
        L"Path=C:\\kelpo;C:\\kelpo\\vc2022\\bin\\Hostx64\\x64;D:\\bin", L"INCLUDE=C:\\vc\\inc;D:\\inc",
        L"LIB=D:\\out\\lib\\vc2022_x64;C:\\vc\\lib\\x64", L"DDK_LIB=;C:\\ddk", L"A=1", L"X=Y=Z"};
    EXPECT_EQ(Strings(environment.block), expected);
    EXPECT_EQ(environment.configurationName, L"vc2022_x64_debug");
    EXPECT_TRUE(environment.error.empty());
}

TEST(BuildEnvironment, MissingValuesAndHostChoices) {
    struct Case {
        const char* what;
        unsigned code;
        std::function<void(EnvironmentInputs&)> change;
        std::vector<std::wstring> tail;  // Path, INCLUDE, LIB, DDK_*
    };
    const Case cases[] = {
        {"nothing set", kVc2022X64Debug, [](EnvironmentInputs&) {},
         {L"Path=C:\\kelpo", L"INCLUDE=", L"LIB=\\lib\\vc2022_x64"}},
        {"32-bit host takes the cross compiler", kVc2022X64Debug,
         [](EnvironmentInputs& in) {
             in.host64 = false;
             in.toolValues = {{L"BIN_X64", L"native"}, {L"BIN_X86X64", L"cross"}};
         },
         {L"Path=C:\\kelpo;cross", L"INCLUDE=", L"LIB=\\lib\\vc2022_x64"}},
        {"no bin key, GlobalBin set; no INCLUDE, GlobalInclude set", 0x8A21,
         [](EnvironmentInputs& in) {
             in.globalBin = L"G";
             in.globalInclude = L"I";
             in.toolValues = {{L"BIN_X64", L"other arch"}, {L"LIB_ARM64", L"L"}, {L"DDK_INC", L"K"}};
         },
         {L"Path=C:\\kelpo;G", L"INCLUDE=;I", L"LIB=\\lib\\vc2022_arm64;L", L"DDK_INC=;K"}},
        {"unknown architecture reads no key", 0x8A30,
         [](EnvironmentInputs& in) { in.toolValues = {{L"BIN_X86", L"B"}, {L"LIB_X86", L"L"}}; },
         {L"Path=C:\\kelpo", L"INCLUDE=", L"LIB=\\lib\\vc2022_unknown"}},
    };
    for (const Case& c : cases) {
        EnvironmentInputs inputs = BaseInputs();
        c.change(inputs);
        // Without the editor's PROCESSOR_ARCHITECTURE and SystemDrive the head has nine strings.
        EXPECT_EQ(Tail(ComposeEnvironmentBlock(c.code, inputs), 9), c.tail) << c.what;
    }
}

TEST(BuildEnvironment, TypesOtherThanDebugAndReleaseGiveNothing) {
    for (unsigned code : {0x8A12u, 0x8A13u, 0x8F00u}) {
        const BuildEnvironment environment = ComposeEnvironmentBlock(code, BaseInputs());
        EXPECT_TRUE(environment.block.empty() && environment.configurationName.empty() && environment.error.empty());
    }
}

TEST(BuildEnvironment, OversizedStringsAreRefusedByName) {
    struct Case {
        const char* what;
        std::function<void(EnvironmentInputs&)> change;
        const char* named;  // empty: the block is made
    };
    const Case cases[] = {
        {"a variable of exactly the limit",
         [&](EnvironmentInputs& in) { in.variables = {L"LONG=" + std::wstring(kMaxEnvironmentString - 5, L'v')}; },
         ""},
        {"a variable one past the limit",
         [&](EnvironmentInputs& in) { in.variables = {L"LONG=" + std::wstring(kMaxEnvironmentString - 4, L'v')}; },
         "LONG"},
        {"a long config.ini value",
         [&](EnvironmentInputs& in) { in.toolValues = {{L"INCLUDE", std::wstring(40000, L'i')}}; }, "INCLUDE"},
        {"a long Variable section",
         [&](EnvironmentInputs& in) {
             for (int i = 0; i < 20; ++i) {
                 in.variables.push_back(L"V" + std::to_wstring(i) + L"=" + std::wstring(30000, L'v'));
             }
         },
         "V17"},
    };
    for (const Case& c : cases) {
        EnvironmentInputs inputs = BaseInputs();
        c.change(inputs);
        const BuildEnvironment environment = ComposeEnvironmentBlock(kVc2022X64Debug, inputs);
        if (*c.named == '\0') {
            EXPECT_TRUE(environment.error.empty()) << c.what;
            EXPECT_LE(environment.block.size(), kMaxEnvironmentBlock) << c.what;
            continue;
        }
        EXPECT_TRUE(environment.block.empty()) << c.what;
        EXPECT_EQ(environment.error.rfind(std::string("Error : ") + c.named + ":", 0), 0u) << environment.error;
        EXPECT_EQ(environment.error.back(), '\n');
    }
}

TEST(ToolValues, TokensAreReplacedWithoutRegardToCase) {
    struct Case {
        const wchar_t* value;
        const wchar_t* result;
    };
    const Case cases[] = {
        {L"%CD%\\bin;", L"C:\\k\\vc2022\\bin"},
        {L"%BUILDARCH%\\lib", L"x64\\lib"},
        {L"%cd%;%BuildArch%;;", L"C:\\k\\vc2022;x64;"},
        {L"%CD%%CD%", L"C:\\k\\vc2022C:\\k\\vc2022"},
        {L"%Path%;%CD", L"%Path%;%CD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubstituteToolTokens(c.value, L"C:\\k\\vc2022", L"x64"), c.result) << c.value;
    }
    // The scan goes on behind inserted text: a tool folder that itself looks like a token stays.
    EXPECT_EQ(SubstituteToolTokens(L"%CD%BuildArch%", L"C:\\%", L"x64"), L"C:\\%BuildArch%");
}

}  // namespace
}  // namespace kelpo
