// Entity decoding of parsed values and text, and escaping when writing.
#include "xml/xml_entities.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/xml_document.h"

namespace kelpo {
namespace {

std::string Decode(std::string text)
{
    text.push_back('\0');
    const std::size_t length = DecodeXmlEntities(text.data(), text.size() - 1);
    EXPECT_EQ(text[length], '\0');
    text.resize(length);
    return text;
}

std::string ValueOf(const char* xml)
{
    XmlDocument document;
    EXPECT_TRUE(document.Parse(xml));
    const XmlElement* element = document.Root()->FirstChild();
    const char* value = element != nullptr ? element->GetAttribute("v") : nullptr;
    return value != nullptr ? value : "<absent>";
}

std::string Escape(const char* text)
{
    std::string out;
    AppendXmlEscaped(out, text);
    return out;
}

TEST(XmlEntities, PredefinedEntities)
{
    EXPECT_EQ(Decode("&amp;&apos;&gt;&lt;&quot;"), "&'><\"");
    EXPECT_EQ(Decode("a &amp b &nbsp; &AMP; &"), "a &amp b &nbsp; &AMP; &");
    EXPECT_EQ(Decode("&amp;lt;"), "&lt;") << "decoded once, not twice";
}

TEST(XmlEntities, NumericReferences)
{
    EXPECT_EQ(ValueOf("<e v=\"&#65;\"/>"), "A");
    EXPECT_EQ(ValueOf("<e v=\"&#x41;\"/>"), "A");
    EXPECT_EQ(ValueOf("<e v=\"&#X41;\"/>"), "&#X41;");
    EXPECT_EQ(ValueOf("<e v=\"&#x20AC;\"/>"), "\xE2\x82\xAC");
    EXPECT_EQ(ValueOf("<e v=\"&#xe9;&#233;\"/>"), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(ValueOf("<e v=\"&#x7F;&#x80;&#x7FF;&#x800;&#xFFFF;\"/>"),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
    EXPECT_EQ(Decode("&#10;&#x0000041;"), "\nA");
}

TEST(XmlEntities, ReferencesThatStayLiteral)
{
    EXPECT_EQ(Decode("&#;&#x;&#0;&#x0;&#12a;&#xG1;&#65"), "&#;&#x;&#0;&#x0;&#12a;&#xG1;&#65");
    EXPECT_EQ(Decode("&# 65;&#-65;&#+65;"), "&# 65;&#-65;&#+65;");
    // Surrogate halves cannot stand alone in UTF-8: kept as written, they survive a save.
    EXPECT_EQ(Decode("&#xD800;&#56320;&#xDFFF;"), "&#xD800;&#56320;&#xDFFF;");
    // Beyond Unicode, and huge numbers that must not overflow into a small value.
    EXPECT_EQ(Decode("&#x110000;&#4294967361;&#x100000041;"), "&#x110000;&#4294967361;&#x100000041;");
}

TEST(XmlEntities, ReferencesBeyondSixteenBitsKeepTheirCharacter)
{
    EXPECT_EQ(Decode("&#x1F600;"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Decode("&#128512;"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Decode("&#x10000;&#x10FFFF;"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
}

TEST(XmlEntities, DecodingStopsAtTheGivenLength)
{
    std::string text = "&amp;&amp;";
    EXPECT_EQ(DecodeXmlEntities(text.data(), 4), 4u) << "a cut-off entity is literal";
    EXPECT_EQ(std::string(text.c_str()), "&amp");
}

TEST(XmlEntities, Escaping)
{
    EXPECT_EQ(Escape("a&b"), "a&amp;b");
    EXPECT_EQ(Escape("&#10;"), "&amp;#10;");
    EXPECT_EQ(Escape("\"q\" 's' <t> &"), "&quot;q&quot; &apos;s&apos; &lt;t&gt; &amp;");
    EXPECT_EQ(Escape("\xE6\x97\xA5\t\r\n"), "\xE6\x97\xA5\t\r\n");
    EXPECT_EQ(Escape(nullptr), "");
}

} // namespace
} // namespace kelpo
