// What a double-clicked output line points at.
#include <gtest/gtest.h>

#include "build/output_line.h"

namespace kelpo {
namespace {

TEST(OutputLine, EveryRuleOfTheDoubleClick) {
    const std::wstring folder = L"c:\\proj\\";
    using A = OutputLineAction;
    struct Case {
        const wchar_t* text;
        A action;
        std::vector<std::wstring> files;
        int line;
    } cases[] = {
        {L"d:\\src\\a.cpp(12) : error C2065: text", A::OpenFile, {L"d:\\src\\a.cpp"}, 12},
        {L"src\\a.cpp(7): warning text", A::OpenFile, {L"c:\\proj\\src\\a.cpp"}, 7},
        {L"a.cpp(12,5): error text", A::OpenFile, {L"c:\\proj\\a.cpp"}, 12},
        {L"  \ta.cpp(3) : x(4): y\r\n", A::OpenFile, {L"c:\\proj\\a.cpp"}, 3},
        {L"no bracket): here", A::None, {}, 0},
        {L"Linking d:\\out\\app.exe", A::ShowFile, {L"d:\\out\\app.exe"}, 0},
        {L"OutputFile out\\app.lib\r\n", A::ShowFile, {L"c:\\proj\\out\\app.lib"}, 0},
        {L"d:\\src\\main.cpp", A::OpenFile, {L"d:\\src\\main.cpp"}, 0},
        {L"some text d:\\src\\main.cpp", A::OpenFile,
         {L"c:\\proj\\some text d:\\src\\main.cpp", L"d:\\src\\main.cpp"}, 0},
        {L"", A::None, {}, 0},
        {L"x\r\n", A::None, {}, 0},
        {L" \t", A::None, {}, 0},
    };
    for (const Case& c : cases) {
        const OutputLineTarget target = ReadOutputLine(c.text, folder);
        EXPECT_EQ(target.action, c.action) << c.text;
        EXPECT_EQ(target.files, c.files) << c.text;
        EXPECT_EQ(target.line, c.line) << c.text;
    }
}

}  // namespace
}  // namespace kelpo
