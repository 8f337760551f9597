// Malformed and truncated input: the parser must stay inside the text, never loop,
// and recover in a predictable way.
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "xml_test_support.h"

namespace kelpo {
namespace {

using xmltest::Describe;
using xmltest::ParseExact;
using xmltest::ParseTerminated;

struct MalformedCase {
    std::string_view input;
    bool result;
    // The tree read, as Describe shows it; null when only survival matters.
    const char* tree;
};

constexpr MalformedCase kMalformedCases[] = {
    {"", true, ""},
    {"<", true, nullptr},
    {"<a", true, "a"},
    {"<a ", true, "a"},
    {"<a/", true, "a"},
    {"<a/>", true, "a"},
    {"<a>", true, "a"},
    {"<a><", true, nullptr},
    {"<a></", true, "a"},
    {"<a></a", true, "a"},
    {"<a>text", true, "a\"text\""},
    {"<a>&amp", true, "a\"&amp\""},
    {"<a>&#x41", true, "a\"&#x41\""},
    {"<a b", true, "a{b=}"},
    {"<a b=", true, "a{b=}"},
    {"<a b=\"", true, "a{b=}"},
    {"<a b=\"unterminated", true, "a{b=unterminated}"},
    {"<a b='x\"y'/>", true, "a{b=x\"y}"},
    {"<a b=1 c=2>", true, "a{b=1,c=2}"},
    {"<a b=1/>", true, "a{b=1}"},
    {"<a b=x/y/>", true, "a{b=x/y}"},
    {"<a b>", true, "a{b=}"},
    {"<a b c=\"x\"/>", true, "a{b=,c=x}"},
    {"<a b=/>", true, "a{b=}"},
    {"<a =x/>", true, "a{=x}"},
    {"<a ==x/>", true, "a{==x}"},
    {"<a b = \"1\" >", true, "a{b=1}"},
    {"<a / b=\"1\"/>", true, "a{b=1}"},
    {"<a ///>", true, "a"},
    {"<a/ >", true, "a"},
    {"<a>x</b>y", true, "a\"x\""},
    {"<a><b><c>", true, "a[b[c]]"},
    {"<a>]]></a>", true, "a\"]]>\""},
    {"<a><![CDATA[", true, "a!\"\""},
    {"<a><![CDATA[unclosed", true, "a!\"unclosed\""},
    {"<a><![CDATA[x]]", true, "a!\"x]]\""},
    {"<a><![CDA", true, nullptr},
    {"<!--", true, ""},
    {"<!-- unclosed <a/>", true, ""},
    {"<!-->", true, ""},
    {"<!--->", true, ""},
    {"<a/><!-- unclosed", true, "a"},
    {"<a><!-- unclosed</a>", true, "a"},
    {"<a><!-->x</a>", true, "a"},
    {"<!", false, ""},
    {"<!DOCTYPE", false, ""},
    {"<!DOCTYPE x [ <!ENTITY e \"v\"> ]><a/>", true, nullptr},
    {"<?", true, ""},
    {"<?xml", true, ""},
    {"<?xml ", true, ""},
    {"<?xml version", true, ""},
    {"<?xml version=", true, ""},
    {"<?xml version=\"1.0", true, ""},
    {"<?xml version=\"1.0\"?", true, ""},
    {"<?xml version=1.0?><a/>", true, "a"},
    {"<?xml standalone?><a/>", true, "a"},
    {"<?xml version=\"1.0\"><a/>", true, "a"},
    {"<?xml / = ?><a/>", true, "a"},
    {"<?xml-stylesheet", true, ""},
    {"<?xml-stylesheet href=\"x", true, ""},
    {"\xEF", true, ""},
    {"\xEF\xBB", true, ""},
    {"\xEF\xBB\xBF", true, ""},
    {"\xEF\xBB\xBF<", true, nullptr},
    {"<<<<", true, nullptr},
    {"</a>", true, nullptr},
    {"<>", true, nullptr},
    {"<a>&#xD800;&#99999999999999999999;&#x;</a>", true,
     "a\"&#xD800;&#99999999999999999999;&#x;\""},
    {"<a b=\"&#\"/>", true, "a{b=&#}"},
    {"<a b=\"&", true, "a{b=&}"},
    {"<a>\xFF\xFE\x01</a>", true, "a\"\xFF\xFE\x01\""},
};

TEST(XmlMalformed, EachCaseEndsInsideTheText)
{
    for (const MalformedCase& c : kMalformedCases) {
        SCOPED_TRACE(std::string(c.input));
        XmlDocument exact;
        EXPECT_EQ(ParseExact(exact, c.input), c.result);
        XmlDocument terminated;
        EXPECT_EQ(ParseTerminated(terminated, c.input), c.result);
        EXPECT_EQ(Describe(exact), Describe(terminated));
        if (c.tree != nullptr) {
            EXPECT_EQ(Describe(exact), c.tree);
        }
        // Whatever was read, however odd its names, can be written out again.
        const std::string written = exact.ToText();
        XmlDocument reread;
        EXPECT_TRUE(reread.Parse(written.c_str(), static_cast<std::ptrdiff_t>(written.size())) ||
                    Describe(exact).empty());
    }
}

TEST(XmlMalformed, EveryTruncationOfARichDocument)
{
    const std::string document =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding='UTF-8'?>\r\n"
        "<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?>\r\n"
        "<!DOCTYPE root>\r\n"
        "<!-- comment -->\r\n"
        "<root a=\"&amp;&#65;&#x20AC;\" b='single'>\r\n"
        "\t<child x=\"1\" />\r\n"
        "\t<text>  body &lt;&gt;  </text>\r\n"
        "\t<data><![CDATA[ raw <x> ]]></data>\r\n"
        "\t<!-- inner -->\r\n"
        "\t<deep><er><est k=v /></er></deep>\r\n"
        "</root>\r\n"
        "<second/>\r\n";
    for (std::size_t length = 0; length <= document.size(); ++length) {
        SCOPED_TRACE(length);
        XmlDocument exact;
        ParseExact(exact, std::string_view(document).substr(0, length));
        XmlDocument terminated;
        ParseTerminated(terminated, std::string_view(document).substr(0, length));
        EXPECT_EQ(Describe(exact), Describe(terminated));
    }
    XmlDocument whole;
    ASSERT_TRUE(ParseExact(whole, document));
    EXPECT_EQ(Describe(whole),
              "root{a=&A\xE2\x82\xAC,b=single}[child{x=1},text\"body <>  \","
              "data!\" raw <x> \",deep[er[est{k=v}]]],second");
}

TEST(XmlMalformed, EveryByteValueAfterOpeningAngle)
{
    // Each single byte in the places where the parser branches.
    const std::string_view contexts[] = {"<", "<a ", "<a b=", "<a>", "<a></", "<?xml ", "<!"};
    for (std::string_view context : contexts) {
        for (int byte = 1; byte < 256; ++byte) {
            std::string input(context);
            input.push_back(static_cast<char>(byte));
            SCOPED_TRACE(input);
            XmlDocument document;
            ParseExact(document, input);
            input += "<x/>";
            XmlDocument followed;
            ParseExact(followed, input);
        }
    }
}

} // namespace
} // namespace kelpo
