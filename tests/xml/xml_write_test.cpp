// Writing a tree as text: prolog, indentation, escaping, and reading back what was
// written.
#include "xml/xml_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/xml_document.h"
#include "xml_test_support.h"

namespace kelpo {
namespace {

using xmltest::Describe;

TEST(XmlWrite, SessionDocumentLayout)
{
    XmlDocument document;
    document.SetBom(true);
    document.SetDeclaration("1.0", "UTF-8", nullptr);
    XmlElement* session = document.CreateElement("session");
    document.AppendTopLevel(session);
    session->SetAttributeInt("active", 1);
    XmlElement* file = document.CreateElement("file");
    file->SetAttribute("path", "C:\\src\\a&b <\"x\">.cpp");
    file->SetAttributeInt("line", -3);
    session->AppendChild(file);
    XmlElement* note = document.CreateElement("note");
    note->SetText("it's");
    session->AppendChild(note);
    XmlElement* raw = document.CreateElement("raw");
    raw->SetText("a < b & c", true);
    session->AppendChild(raw);

    EXPECT_EQ(document.ToText(),
              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<session active=\"1\">\r\n"
              "\t<file path=\"C:\\src\\a&amp;b &lt;&quot;x&quot;&gt;.cpp\" line=\"-3\" />\r\n"
              "\t<note>it&apos;s</note>\r\n"
              "\t<raw><![CDATA[a < b & c]]></raw>\r\n"
              "</session>\r\n");
}

TEST(XmlWrite, PrologRules)
{
    XmlDocument noVersion;
    noVersion.SetDeclaration(nullptr, "UTF-8", "yes");
    EXPECT_EQ(noVersion.ToText(), "");

    XmlDocument full;
    full.SetDeclaration("1.0", nullptr, "no");
    EXPECT_EQ(full.ToText(), "<?xml version=\"1.0\" standalone=\"no\"?>\r\n");

    XmlDocument stylesheet;
    ASSERT_TRUE(stylesheet.Parse("<?xml-stylesheet href=\"only-href\"?><a/>"));
    EXPECT_EQ(stylesheet.ToText(), "<a />\r\n") << "an href without a type is not written";

    XmlDocument quoted;
    ASSERT_TRUE(quoted.Parse("<?xml version='1.0\"?><a b=\"1\">'?><real/>"));
    EXPECT_EQ(quoted.ToText(), "<?xml version=\"1.0&quot;?&gt;&lt;a b=&quot;1&quot;&gt;\"?>\r\n<real />\r\n")
        << "a declaration value cannot smuggle markup into the written file";
    XmlDocument quotedReread;
    ASSERT_TRUE(quotedReread.Parse(quoted.ToText().c_str()));
    EXPECT_STREQ(quotedReread.Version(), "1.0\"?><a b=\"1\">");
    EXPECT_EQ(Describe(quotedReread), "real");

    XmlDocument both;
    ASSERT_TRUE(both.Parse("<?xml version=\"1.1\"?><?xml-stylesheet href=\"h\" type=\"t\"?><a/>"));
    EXPECT_EQ(both.ToText(),
              "<?xml version=\"1.1\"?>\r\n<?xml-stylesheet type=\"t\" href=\"h\"?>\r\n<a />\r\n");
}

TEST(XmlWrite, ElementForms)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<a></a><b>text</b><c>lead<d/></c><e><f><g/></f></e>"));
    XmlElement* emptyText = document.CreateElement("h");
    emptyText->SetText("");
    document.AppendTopLevel(emptyText);
    EXPECT_EQ(document.ToText(),
              "<a />\r\n"
              "<b>text</b>\r\n"
              "<c>lead\r\n\t<d />\r\n</c>\r\n"
              "<e>\r\n\t<f>\r\n\t\t<g />\r\n\t</f>\r\n</e>\r\n"
              "<h></h>\r\n");
}

TEST(XmlWrite, EveryAmpersandIsEscapedSoValuesComeBackAsTheyWere)
{
    // A path such as C:\Tom&#39;s\x.txt must not come back as C:\Tom's\x.txt.
    for (const char* value : {"a&b", "&#10;", "C:\\Tom&#39;s\\x.txt", "&#x41;&amp;", "&"}) {
        XmlDocument document;
        XmlElement* e = document.CreateElement("e");
        document.AppendTopLevel(e);
        e->SetAttribute("v", value);
        e->SetText(value);
        XmlDocument reread;
        ASSERT_TRUE(reread.Parse(document.ToText().c_str())) << value;
        const XmlElement* e2 = reread.FindPath("e");
        ASSERT_NE(e2, nullptr);
        EXPECT_STREQ(e2->GetAttribute("v"), value);
        EXPECT_STREQ(e2->Text(), value);
    }
}

TEST(XmlWrite, ReadingBackGivesTheSameTree)
{
    XmlDocument original;
    ASSERT_TRUE(original.Parse("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                               "<theme name=\"&lt;dark&gt;\"><style id=\"1\" fore=\"#FF0000\"/>"
                               "<words>if else &amp;&amp;</words><code><![CDATA[<x>]]></code>"
                               "<group><item k=\"&apos;\"/><item/></group></theme>"));
    const std::string text = original.ToText();
    XmlDocument reread;
    ASSERT_TRUE(reread.Parse(text.c_str()));
    EXPECT_TRUE(reread.HasBom());
    EXPECT_STREQ(reread.Version(), "1.0");
    EXPECT_EQ(Describe(reread), Describe(original));
    EXPECT_EQ(reread.ToText(), text) << "a second round trip changes nothing";
}

TEST(XmlWrite, SinkFailureStopsAndIsReported)
{
    XmlDocument document;
    XmlElement* top = document.CreateElement("top");
    document.AppendTopLevel(top);
    for (int i = 0; i < 5000; ++i) {
        XmlElement* child = document.CreateElement("child");
        child->SetAttributeInt("index", i);
        top->AppendChild(child);
    }
    int calls = 0;
    EXPECT_FALSE(WriteXmlDocument(document, [&calls](std::string_view) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1) << "nothing more is offered after a failed write";
}

} // namespace
} // namespace kelpo
