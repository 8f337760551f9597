// Very deep nesting: reading and writing must not be limited by the call stack.
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/xml_writer.h"

namespace kelpo {
namespace {

std::string Nested(std::size_t depth, bool closed)
{
    std::string text;
    text.reserve(depth * 7);
    for (std::size_t i = 0; i < depth; ++i) {
        text += "<a>";
    }
    if (closed) {
        for (std::size_t i = 0; i < depth; ++i) {
            text += "</a>";
        }
    }
    return text;
}

std::size_t Depth(const XmlDocument& document)
{
    std::size_t depth = 0;
    for (const XmlElement* e = document.Root()->FirstChild(); e != nullptr; e = e->FirstChild()) {
        ++depth;
    }
    return depth;
}

TEST(XmlDeep, MillionLevelsParse)
{
    constexpr std::size_t kDepth = 1000000;
    std::string closed = Nested(kDepth, true);
    closed += "<after/>";
    XmlDocument document;
    ASSERT_TRUE(document.Parse(closed.c_str(), static_cast<std::ptrdiff_t>(closed.size())));
    EXPECT_EQ(Depth(document), kDepth);
    const XmlElement* top = document.Root()->FirstChild();
    ASSERT_NE(top->NextSibling(), nullptr) << "parsing resumes at top level after the deep element";
    EXPECT_STREQ(top->NextSibling()->Name(), "after");

    const std::string unclosed = Nested(kDepth, false);
    XmlDocument open;
    ASSERT_TRUE(open.Parse(unclosed.c_str()));
    EXPECT_EQ(Depth(open), kDepth);
}

TEST(XmlDeep, DeepTreeIsWrittenWithoutRecursion)
{
    // Indentation makes the output quadratic in depth, so count bytes instead of
    // keeping them.
    constexpr std::size_t kDepth = 50000;
    const std::string text = Nested(kDepth, true);
    XmlDocument document;
    ASSERT_TRUE(document.Parse(text.c_str()));

    std::size_t written = 0;
    std::string tail;
    ASSERT_TRUE(WriteXmlDocument(document, [&](std::string_view bytes) {
        written += bytes.size();
        tail += bytes.substr(bytes.size() > 64 ? bytes.size() - 64 : 0);
        tail.erase(0, tail.size() > 64 ? tail.size() - 64 : 0);
        return true;
    }));
    // Each parent: d tabs "<a>\r\n" ... d tabs "</a>\r\n"; the innermost: d tabs "<a />\r\n".
    std::size_t expected = 0;
    for (std::size_t level = 0; level + 1 < kDepth; ++level) {
        expected += 2 * level + 5 + 6;
    }
    expected += (kDepth - 1) + 7;
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(tail.ends_with("\t\t</a>\r\n\t</a>\r\n</a>\r\n"));
}

} // namespace
} // namespace kelpo
