// Snippet file parsing, variable lookup and expansion, on text alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/snippet_expand.h"
#include "aids/snippet_file.h"
#include "aids/variables_lookup.h"

namespace kelpo {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct ParseRow {
    std::string image;
    std::vector<SnippetEntry> expected;
};

TEST(SnippetFile, SplitsEntriesAtMarkers) {
    const ParseRow rows[] = {
        {"", {}},
        {"#T=a\r\nx", {}},  // no byte-order mark
        {kBom, {}},
        {kBom + "#T=a", {}},  // title line without its line end
        {kBom + "#T=a\nx", {}},
        {kBom + "#T=a\r\n", {{"a", "", 0}}},
        {kBom + "#T=a\r\nx\r\n#T=b\r\ny", {{"a", "x\r\n", 0}, {"b", "y", 2}}},
        {kBom + "#T=a\r\n#T=b\r\n", {{"a", "", 0}, {"b", "", 1}}},
        {kBom + "x\n\n#T=a\r\n1\n2\n#T=b\r\n", {{"a", "1\n2\n", 2}, {"b", "", 5}}},
        {kBom + "#T=a\r\nmid#T=b\r\nz", {{"a", "mid", 0}, {"b", "z", 1}}},
        {kBom + "#T=a\r\nx\r\n#T=b", {{"a", "x\r\n", 0}}},  // the last title runs to the end: dropped
        {kBom + "#T=a\r\nx" + std::string(1, '\0') + "y#T=b\r\nz",
         {{"a", std::string("x\0y", 3), 0}, {"b", "z", 1}}},
        {kBom + "#T=a#T=b\r\nz", {{"a#T=b", "z", 0}}},
    };
    for (const ParseRow& row : rows) {
        const std::vector<SnippetEntry> entries = ParseSnippets(row.image);
        ASSERT_EQ(entries.size(), row.expected.size()) << row.image;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].title, row.expected[i].title) << row.image;
            EXPECT_EQ(entries[i].body, row.expected[i].body) << row.image;
            EXPECT_EQ(entries[i].line, row.expected[i].line) << row.image;
        }
    }
}

VariableContext SampleContext(const std::string& path) {
    VariableContext context;
    context.hasDocument = true;
    context.path = path;
    context.line = 42;
    context.author = "Ann Lee";
    context.email = "ann@example.org";
    context.company = "Lee & Co";
    context.time = LocalTime{2026, 3, 7, 9, 5, 4};
    return context;
}

struct LookupRow {
    const char* path;
    const char* name;
    CaseModifier modifier;
    const char* expected;  // nullptr: unknown
};

TEST(Variables, LookUpEveryName) {
    const auto none = CaseModifier::None;
    const auto upper = CaseModifier::Upper;
    const auto lower = CaseModifier::Lower;
    const LookupRow rows[] = {
        {"C:\\src\\my.util.h", "File", none, "C:\\src\\my.util.h"},
        {"C:\\src\\my.util.h", "FilePath", none, "C:\\src\\"},
        {"C:\\src\\my.util.h", "FileName", none, "my.util.h"},
        {"C:\\src\\my.util.h", "FileBase", none, "my.util"},
        {"C:\\src\\my.util.h", "FileExt", none, "h"},
        {"C:\\src\\my.util.h", "FileBase", upper, "MY.UTIL"},
        {"C:\\src\\my.util.h", "fileext", upper, "H"},
        {"C:\\src\\Makefile", "FileBase", none, "Makefile"},
        {"C:\\src\\Makefile", "FileExt", none, "fileext"},
        {"C:\\src.d\\Makefile", "FileExt", none, "d\\Makefile"},
        {"noslash.c", "FilePath", none, "filepath"},
        {"noslash.c", "FileName", none, "filename"},
        {"noslash.c", "FileBase", none, "filebase"},
        {"", "FileName", none, nullptr},
        {"", "File", none, nullptr},
        {"", "Line", none, "42"},
        {"", "Author", upper, "Ann Lee"},
        {"", "EMAIL", none, "ann@example.org"},
        {"", "Company", lower, "Lee & Co"},
        {"", "Year", none, "2026"},
        {"", "Month", none, "3"},
        {"", "Month00", none, "03"},
        {"", "MonthName", none, "Mar"},
        {"", "monthname", upper, "MAR"},
        {"", "MonthName", lower, "mar"},
        {"", "Day", none, "7"},
        {"", "Day00", none, "07"},
        {"", "Hour", none, "9"},
        {"", "Hour00", none, "09"},
        {"", "Minute", none, "5"},
        {"", "Minute00", none, "05"},
        {"", "Second", none, "4"},
        {"", "Second00", none, "04"},
        {"", "Date", none, "2026-03-07"},
        {"", "DateTime", none, "2026-03-07 09:05"},
        {"", "Time", none, "09:05"},
        {"", "DateName", upper, "MAR-07-2026"},
        {"", "Fil", none, nullptr},
        {"", "Dates", none, nullptr},
        {"", "", none, nullptr},
    };
    for (const LookupRow& row : rows) {
        const std::optional<std::string> value = LookupVariable(row.name, row.modifier, SampleContext(row.path));
        if (row.expected == nullptr) {
            EXPECT_FALSE(value) << row.name << " in " << row.path;
        } else {
            EXPECT_EQ(value.value_or("<unknown>"), row.expected) << row.name << " in " << row.path;
        }
    }
    VariableContext noDocument = SampleContext("");
    noDocument.hasDocument = false;
    EXPECT_FALSE(LookupVariable("Line", CaseModifier::None, noDocument));
}

struct ExpandRow {
    std::string text;
    std::string indentation;
    SnippetLineEnd lineEnd;
    std::string expected;
};

TEST(SnippetExpand, ReplacesVariablesAndLineEnds) {
    const auto crlf = SnippetLineEnd::CrLf;
    const std::string longName(300, 'x');
    const ExpandRow rows[] = {
        {"a\r\nb\r\n", "\t  ", crlf, "a\r\n\t  b\r\n\t  "},
        {"a\r\nb\nc", ">", SnippetLineEnd::Lf, "a\n>b\n>c"},
        {"a\r\nb\rc", ">", SnippetLineEnd::Cr, "a\r>b\r>c"},
        {"// $(FileName): $(Author)", "", crlf, "// my.util.h: Ann Lee"},
        {"#ifndef __$(FileBase:upper)_$(FileExt:UPPER)__", "", crlf, "#ifndef __MY.UTIL_H__"},
        {"$(monthname:UPPER) $(MonthName:lower) $(Author:upper)", "", crlf, "MAR mar Ann Lee"},
        {"$(Nope) $(Date:sideways) $(Date", "", crlf, "$(Nope) $(Date:sideways) $(Date"},
        {"$ $$(Year)$", "", crlf, "$ $2026$"},
        {"$(" + longName + ")", "", crlf, "$(" + longName + ")"},
        {"$(Nope\r\n)", "+", crlf, "$(Nope\r\n+)"},
        {"", "", crlf, ""},
    };
    for (const ExpandRow& row : rows) {
        EXPECT_EQ(ExpandSnippet(row.text, row.indentation, row.lineEnd, SampleContext("C:\\src\\my.util.h")),
                  row.expected)
            << row.text;
    }
}

TEST(SnippetExpand, GrowsForLongBodiesAndValues) {
    VariableContext context = SampleContext(std::string(5000, 'p') + "\\f.c");
    context.author = std::string(127, 'a');
    std::string body;
    for (int i = 0; i < 500; ++i) {
        body += "$(File)$(Author)\n";
    }
    const std::string expanded = ExpandSnippet(body, std::string(40, ' '), SnippetLineEnd::Lf, context);
    EXPECT_EQ(expanded.size(), 500u * (5004 + 127 + 1 + 40));
}

TEST(SnippetExpand, IndentationAndCaretMark) {
    EXPECT_EQ(IndentationText(6, 4, true), "\t  ");
    EXPECT_EQ(IndentationText(8, 4, true), "\t\t");
    EXPECT_EQ(IndentationText(6, 4, false), "      ");
    EXPECT_EQ(IndentationText(0, 4, true), "");
    EXPECT_EQ(CaretMarkOffset("ab|c|"), 2u);
    EXPECT_EQ(CaretMarkOffset("abc"), std::string_view::npos);
}

TEST(Variables, PreviewListsEveryVariable) {
    const std::string preview = VariablePreview("d:\\demo\\foo.cpp", LocalTime{2026, 12, 6, 20, 41, 9});
    const std::string expected =
        "$(File)      = d:\\demo\\foo.cpp\r\n"
        "$(FilePath)  = d:\\demo\\\r\n"
        "$(FileName)  = foo.cpp\r\n"
        "$(FileBase)  = foo\r\n"
        "$(FileExt)   = cpp\r\n"
        "\r\n"
        "$(DateTime)  = 2026-12-06 20:41\r\n"
        "$(Date)      = 2026-12-06\r\n"
        "$(Time)      = 20:41\r\n"
        "$(Year)      = 2026\r\n"
        "$(Month)     = 12\r\n"
        "$(Month00)   = 12\r\n"
        "$(MonthName) = Dec\r\n"
        "$(Day)       = 6\r\n"
        "$(Day00)     = 06\r\n"
        "$(Hour)      = 20\r\n"
        "$(Hour00)    = 20\r\n"
        "$(Minute)    = 41\r\n"
        "$(Minute00)  = 41\r\n"
        "$(Second)    = 9\r\n"
        "$(Second00)  = 09\r\n"
        "\r\n"
        "$(MonthName:Lower) = dec\r\n"
        "$(MonthName:Upper) = DEC\r\n";
    EXPECT_EQ(preview, expected);
}

}  // namespace
}  // namespace kelpo
