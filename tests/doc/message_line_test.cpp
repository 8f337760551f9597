// The file and line that an output or result line points to.
#include <gtest/gtest.h>

#include "doc/message_line.h"

namespace kelpo {
namespace {

TEST(MessageLine, FileAndLineOfEveryForm) {
    struct Case {
        const wchar_t* text;
        const wchar_t* file;  // nullptr: no location
        int line;
    } cases[] = {
        {L"C:\\src\\a.c(12): int x;", L"C:\\src\\a.c", 12},
        {L"  \tC:\\src\\a.c(7) : error C2065: x\r\n", L"C:\\src\\a.c", 7},
        {L"C:\\x (1)\\b.h(30): see (2): here", L"C:\\x (1)\\b.h", 30},
        {L"a.c(3) : b(4): c", L"a.c", 3},
        {L"Untitled 2(5): text", L"Untitled 2", 5},
        {L"a.c(99999999999): x", L"a.c", 2147483647},
        {L"a.c(x): y", L"a.c", 0},
        {L"no location here", nullptr, 0},
        {L"(5): starts with a bracket", nullptr, 0},
        {L"a", nullptr, 0},
    };
    for (const Case& c : cases) {
        const std::optional<MessageLocation> location = ParseMessageLine(c.text);
        if (c.file == nullptr) {
            EXPECT_FALSE(location.has_value()) << c.text;
            continue;
        }
        ASSERT_TRUE(location.has_value()) << c.text;
        EXPECT_EQ(location->file, c.file);
        EXPECT_EQ(location->line, c.line) << c.text;
    }
}

}  // namespace
}  // namespace kelpo
