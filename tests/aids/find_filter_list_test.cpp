// File name filter lists: wildcards, several patterns, case, and the end-of-name rules.
#include "aids/find_filter_list.h"

#include <gtest/gtest.h>

namespace kelpo {
namespace {

struct FilterRow {
    const wchar_t* list;
    const wchar_t* name;
    bool matches;
};

TEST(FilterList, MatchesNamesAsTheFindDialogPromises) {
    const FilterRow rows[] = {
        {L"*.txt", L"a.b.txt", true},
        {L"*.txt", L"a.txt.bak", false},
        {L"*.txt", L"txt", false},
        {L"*.*", L"Makefile", true},
        {L"*.*", L"main.c", true},
        {L"*.c;*.h", L"main.c", true},
        {L"*.c;*.h", L"main.H", true},
        {L"*.c;*.h", L"main.cpp", false},
        {L"*.c;  *.h", L"x.h", true},
        {L"*.C", L"a.c", true},
        {L"", L"anything", true},
        {L" ; ", L"anything", true},
        {L"a?c.txt", L"abc.txt", true},
        {L"a?c.txt", L"ac.txt", false},
        {L"make*", L"Makefile", true},
        {L"*file", L"Makefile", true},
        {L"*a*b*c", L"xaXbYc", true},
        {L"*a*b*c", L"aXbYd", false},
        {L"abc*.*", L"abc", true},
        {L"abc**.*", L"abc", true},
        {L".*.**.*", L".\n.", true},
        {L"abc.*", L"abc", false},
        {L"*.c", L"c", false},
        {L"read.me", L"README", false},
        {L"\u00C4B*", L"\u00E4bc", true},
    };
    for (const FilterRow& row : rows) {
        EXPECT_EQ(FilterListMatches(row.list, row.name), row.matches)
            << "list \"" << testing::PrintToString(std::wstring(row.list)) << "\" name "
            << testing::PrintToString(std::wstring(row.name));
    }
}

}  // namespace
}  // namespace kelpo
