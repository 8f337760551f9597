// Search-text preparation: escapes, the octal bytes of regular expressions, the size limit.
#include <gtest/gtest.h>

#include "aids/search_options.h"

namespace kelpo {
namespace {

using namespace std::string_literals;

TEST(SearchOptions, TextsArePreparedAsTheOptionsSay) {
    struct Case {
        std::string text;
        std::uint32_t options;
        std::string expected;
    } cases[] = {
        {"a\\tb\\n", 0, "a\\tb\\n"},
        {"a\\tb\\n\\r\\a\\b\\f\\v", kSearchEscapes, "a\tb\n\r\a\b\f\v"},
        {"\\101\\7\\0101", kSearchEscapes, "A\a\x08"s + "1"},
        {"\\x41\\x4a\\xZ\\x", kSearchEscapes, "AJxZx"},
        {"\\\\n\\q\\", kSearchEscapes, "\\nq\\"},
        {"\\0\\08", kSearchEscapes, "\0\0"s + "8"},
        {"\\(a\\)\\1\\t", kSearchRegex | kSearchEscapes, "\\(a\\)\\1\\t"},
        {"x\\011y\\\\012", kSearchRegex, "x\ty\\\\012"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrepareSearchText(c.text, c.options), c.expected) << c.text;
    }
}

TEST(SearchOptions, ATextThatDoesNotFitIsRefused) {
    EXPECT_TRUE(PrepareSearchText(std::string(511, 'a'), 0).has_value());
    EXPECT_FALSE(PrepareSearchText(std::string(512, 'a'), 0).has_value());
    EXPECT_TRUE(PrepareSearchText(std::string(1000, 'a').substr(0, 500) + "\\t", kSearchEscapes).has_value());
}

}  // namespace
}  // namespace kelpo
