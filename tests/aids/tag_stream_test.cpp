// ctags output in pipe reads of any size: line ends split across reads, very long lines, a last line
// without line end, and the kind filter.
#include "aids/tag_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

std::vector<std::string> SplitInChunks(std::string_view output, std::size_t chunkSize) {
    std::vector<std::string> lines;
    const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
    TagLineSplitter splitter;
    for (std::size_t at = 0; at < output.size(); at += chunkSize) splitter.Feed(output.substr(at, chunkSize), collect);
    splitter.Finish(collect);
    return lines;
}

struct SplitRow {
    std::string output;
    std::vector<std::string> lines;
};

TEST(TagLineSplitter, GivesTheSameLinesWhateverTheReadSize) {
    const std::string longLine = "long\tx.c\t1;\"\tf\tclass:" + std::string(100000, 'L');
    const SplitRow rows[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "b"}},
        {"a\n\rb\n", {"a", "b"}},
        {"first\nlast without end", {"first", "last without end"}},
        {"only", {"only"}},
        {"", {}},
        {"\r\n\n\r", {}},
        {longLine + "\r\nnext\r\n" + longLine, {longLine, "next", longLine}},
    };
    for (const SplitRow& row : rows) {
        for (std::size_t chunkSize : {std::size_t{1}, std::size_t{2}, std::size_t{7}, row.output.size() + 1}) {
            EXPECT_EQ(SplitInChunks(row.output, chunkSize), row.lines)
                << "chunk size " << chunkSize << " output " << testing::PrintToString(row.output.substr(0, 40));
        }
    }
}

TEST(TagStream, ParsesFiltersAndKeepsTheLastLine) {
    const std::string output =
        "!_TAG_FILE_FORMAT\t2\t/extended format/\r\n"
        "Bar\tx.cpp\t3;\"\tc\tline:3\r\n"
        "garbage without tabs\r\n"
        "foo\tx.cpp\t12;\"\tf\tline:12\tclass:Bar\r\n"
        "N\tx.cpp\t1;\"\td\tline:1\r\n"
        "tail\tx.cpp\t40;\"\tf\tline:40";
    const KindMask functionsAndClasses = KindMask{}.With(SymbolKind::Function).With(SymbolKind::Class);
    for (std::size_t chunkSize : {std::size_t{1}, std::size_t{2}, std::size_t{7}, output.size()}) {
        std::vector<Symbol> symbols;
        TagStream stream(kLangCpp, functionsAndClasses, [&symbols](const Symbol& s) { symbols.push_back(s); });
        for (std::size_t at = 0; at < output.size(); at += chunkSize) {
            stream.Feed(std::string_view(output).substr(at, chunkSize));
        }
        stream.Finish();
        ASSERT_EQ(symbols.size(), 3u) << "chunk size " << chunkSize;
        EXPECT_EQ(symbols[0].name, "Bar");
        EXPECT_EQ(symbols[0].kind, SymbolKind::Class);
        EXPECT_EQ(symbols[1].name, "foo");
        EXPECT_EQ(symbols[1].scope, std::optional<std::string>("Bar"));
        EXPECT_EQ(symbols[1].line, 12u);
        EXPECT_EQ(symbols[2].name, "tail");
        EXPECT_EQ(symbols[2].line, 40u);
    }
}

}  // namespace
}  // namespace kelpo
