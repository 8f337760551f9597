// The streamed decode against the whole-file decode: the same encoding, line-end mode and text
// for every way of cutting the file into parts, or the word that the whole file is needed.
#include "doc/file_codec_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_ansi_code_page.h"

namespace kelpo {
namespace {

using namespace std::string_literals;

struct Streamed {
    std::optional<StreamedFile> file;
    std::string text;
};

// The file fed in parts of `partSize` bytes, the first part `firstSize` long.
Streamed StreamInParts(const std::string& bytes, std::size_t firstSize, std::size_t partSize,
                       const LoadOptions& options) {
    StreamingDecode decode(options);
    Streamed streamed;
    const StreamingDecode::Sink sink = [&](std::string_view text) { streamed.text.append(text); };
    std::size_t at = 0;
    for (std::size_t size = firstSize; at < bytes.size(); at += size, size = partSize) {
        if (!decode.Feed(std::string_view(bytes).substr(at, size), sink)) {
            return streamed;
        }
    }
    streamed.file = decode.Finish(sink);
    return streamed;
}

struct StreamCase {
    std::string bytes;
    bool streams;  // false: the whole-file conversion is needed
};

TEST(StreamingDecode, AgreesWithTheWholeFileDecodeWhereverThePartsAreCut) {
    const std::vector<StreamCase> cases = {
        {"", true},
        {"a", true},
        {"ab", true},
        {"plain ASCII\r\nsecond line\r\n", true},
        {"no line end at all", true},
        {"lone CR\rthen LF\n", true},
        {"ends in CR\r", true},
        {"CR then zero\r\0\n"s, true},
        {"zero first\0\r\n"s, true},                                   // UTF-8: the zero cuts the count
        {"caf\xC3\xA9\r\nna\xC3\xAF" "ve \xF0\x9F\x98\x80 \xE2\x82\xAC\n"s, true},
        {"\xEF\xBB\xBF", true},                                        // the mark alone
        {"\xEF\xBB\xBF" "a\nb\r\n"s, true},
        {"\xEF\xBB\xBF\xFF\xC0\xAF\r"s, true},                         // marked: kept however ill-formed
        {"\xEF\xBB", false},                                           // a cut mark is ANSI
        {"caf\xE9\r\n", false},                                        // ANSI
        {"ok so far\n\xC3", false},                                    // a sequence cut off at the end
        {"\xFF\xFE" "a\0\r\0\n\0"s, false},
        {"\xFE\xFF" "\0a"s, false},
        {"\xFF", false},
    };
    for (const bool javaFile : {false, true}) {
        const LoadOptions options{FileEncoding::Utf8Bom, LineEndMode::Cr, javaFile};
        for (const StreamCase& c : cases) {
            const std::optional<DecodedFile> whole = DecodeFileBytes(c.bytes, options, testing_support::Latin1CodePage());
            ASSERT_TRUE(whole.has_value());
            for (std::size_t first = 1; first <= std::max<std::size_t>(c.bytes.size(), 1); ++first) {
                for (const std::size_t part : {std::size_t{1}, std::size_t{2}, std::size_t{5}, c.bytes.size()}) {
                    const Streamed s = StreamInParts(c.bytes, first, std::max<std::size_t>(part, 1), options);
                    const std::string where = testing::PrintToString(c.bytes) + " first " + std::to_string(first) +
                                              " then " + std::to_string(part) + (javaFile ? " java" : "");
                    ASSERT_EQ(s.file.has_value(), c.streams) << where;
                    if (s.file) {
                        EXPECT_EQ(s.file->encoding, whole->encoding) << where;
                        EXPECT_EQ(s.file->lineEnd, whole->lineEnd) << where;
                        EXPECT_EQ(s.text, whole->text) << where;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelpo
