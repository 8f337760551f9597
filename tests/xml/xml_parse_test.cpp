// Reading XML text into the tree: declaration, stylesheet, elements, text, CDATA,
// comments, byte-order mark and the irregular input the model tolerates.
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "xml_test_support.h"

namespace kelpo {
namespace {

using xmltest::Describe;
using xmltest::ParseExact;

TEST(XmlParse, ByteOrderMarkSetsFlag)
{
    XmlDocument withMark;
    EXPECT_TRUE(withMark.Parse("\xEF\xBB\xBF<a/>"));
    EXPECT_TRUE(withMark.HasBom());
    EXPECT_EQ(Describe(withMark), "a");

    XmlDocument afterWhiteSpace;
    EXPECT_TRUE(afterWhiteSpace.Parse(" \r\n\xEF\xBB\xBF<a/>"));
    EXPECT_TRUE(afterWhiteSpace.HasBom());

    XmlDocument without;
    EXPECT_TRUE(without.Parse("<a/>"));
    EXPECT_FALSE(without.HasBom());
}

TEST(XmlParse, DeclarationAndStylesheetPseudoAttributes)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<?xml VERSION='1.0' Encoding=\"UTF-8\" standalone=\"yes\" other=\"x\"?>\r\n"
                               "<?xml-stylesheet type=\"text/xsl\" HREF=\"a&amp;b.xsl\" media=\"x\"?>\r\n"
                               "<root/>"));
    EXPECT_STREQ(document.Version(), "1.0");
    EXPECT_STREQ(document.Encoding(), "UTF-8");
    EXPECT_STREQ(document.Standalone(), "yes");
    EXPECT_STREQ(document.StylesheetType(), "text/xsl");
    EXPECT_STREQ(document.StylesheetHref(), "a&b.xsl");
    EXPECT_EQ(Describe(document), "root");

    XmlDocument questionInValue;
    ASSERT_TRUE(questionInValue.Parse("<?xml-stylesheet href=\"a?b\" type=\"t\"?><r/>"));
    EXPECT_STREQ(questionInValue.StylesheetHref(), "a?b");
    EXPECT_STREQ(questionInValue.StylesheetType(), "t");
    EXPECT_EQ(Describe(questionInValue), "r");
}

TEST(XmlParse, ElementsAttributesAndSiblings)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<a x=\"1\" y='two' x=\"3\" q='say \"hi\"' multi=\"l1\nl2>\">"
                               "<b/><c k = \"v\"></c><b>t</b></a><second/>"));
    EXPECT_EQ(Describe(document), "a{x=1,y=two,x=3,q=say \"hi\",multi=l1\nl2>}[b,c{k=v},b\"t\"],second");
    XmlElement* a = document.Root()->FirstChild();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Parent(), document.Root());
    EXPECT_EQ(a->FirstChild()->Parent(), a);
    EXPECT_EQ(a->Owner(), &document);
}

TEST(XmlParse, TextRules)
{
    XmlDocument emptyPair;
    ASSERT_TRUE(emptyPair.Parse("<a></a>"));
    EXPECT_EQ(emptyPair.Root()->FirstChild()->Text(), nullptr);

    XmlDocument spaced;
    ASSERT_TRUE(spaced.Parse("<a>  x  </a>"));
    EXPECT_STREQ(spaced.Root()->FirstChild()->Text(), "x  ");

    XmlDocument mixed;
    ASSERT_TRUE(mixed.Parse("<a>one<b/>two</a>"));
    EXPECT_EQ(Describe(mixed), "a\"two\"[b]");

    XmlDocument decoded;
    ASSERT_TRUE(decoded.Parse("<a>&lt;tag&gt; &amp; &quot;q&quot; &apos;s&apos; &unknown;</a>"));
    EXPECT_STREQ(decoded.Root()->FirstChild()->Text(), "<tag> & \"q\" 's' &unknown;");
}

TEST(XmlParse, LayoutWhiteSpaceBetweenChildrenIsNotText)
{
    // What the writer produces for a parent of empty children reads back without text.
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<s>\r\n\t<f a=\"1\" />\r\n\t<f a=\"2\" />\r\n\t<!-- c -->\r\n</s>\r\n"));
    EXPECT_EQ(Describe(document), "s[f{a=1},f{a=2}]");
}

TEST(XmlParse, CDataIsVerbatim)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<a><![CDATA[x < y &amp; ]]></a>"));
    const XmlElement* a = document.Root()->FirstChild();
    EXPECT_STREQ(a->Text(), "x < y &amp; ");
    EXPECT_TRUE(a->IsCData());

    XmlDocument withChildren;
    ASSERT_TRUE(withChildren.Parse("<a><![CDATA[keep]]>\r\n\t<b />\r\n</a>"));
    EXPECT_EQ(Describe(withChildren), "a!\"keep\"[b]");
}

TEST(XmlParse, CommentsAreSkipped)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<!-- top <a/> -->\n<a><!-- inner <b/> -->text<!---->\n</a><!-- end -->"));
    EXPECT_EQ(Describe(document), "a\"text\"");
}

TEST(XmlParse, TopLevelIrregularities)
{
    XmlDocument processingInstruction;
    EXPECT_TRUE(processingInstruction.Parse("<?foo?><a/>"));
    EXPECT_EQ(processingInstruction.Root()->FirstChild(), nullptr);

    XmlDocument doctype;
    EXPECT_TRUE(doctype.Parse("<!DOCTYPE x SYSTEM \"y\"><a/>"));
    EXPECT_EQ(Describe(doctype), "a");

    XmlDocument unclosedDoctype;
    EXPECT_FALSE(unclosedDoctype.Parse("<!DOCTYPE x"));

    XmlDocument trailing;
    EXPECT_TRUE(trailing.Parse("<a/>trailing text<b/>"));
    EXPECT_EQ(Describe(trailing), "a");

    XmlDocument severalTopLevel;
    EXPECT_TRUE(severalTopLevel.Parse("<a/>\n<b></b>\n<c>t</c>"));
    EXPECT_EQ(Describe(severalTopLevel), "a,b,c\"t\"");

    XmlDocument missingEndTags;
    EXPECT_TRUE(missingEndTags.Parse("<a><b>text"));
    EXPECT_EQ(Describe(missingEndTags), "a[b\"text\"]");

    XmlDocument mismatchedEndTag;
    EXPECT_TRUE(mismatchedEndTag.Parse("<a><b></x>after</y><c/>"));
    EXPECT_EQ(Describe(mismatchedEndTag), "a\"after\"[b],c");
}

TEST(XmlParse, LengthAndTerminatorBoundTheText)
{
    const char text[] = "<a x=\"1\"/><b/>";
    XmlDocument bounded;
    EXPECT_TRUE(bounded.Parse(text, 10));
    EXPECT_EQ(Describe(bounded), "a{x=1}");

    XmlDocument cutInsideValue;
    EXPECT_TRUE(cutInsideValue.Parse(text, 7));
    EXPECT_EQ(Describe(cutInsideValue), "a{x=1}");

    const char withZero[] = "<a>text\0<b/></a>";
    XmlDocument zeroInside;
    EXPECT_TRUE(zeroInside.Parse(withZero, sizeof withZero - 1));
    EXPECT_EQ(Describe(zeroInside), "a\"text\"");

    XmlDocument empty;
    EXPECT_TRUE(empty.Parse("", -1));
    EXPECT_TRUE(empty.Parse(nullptr, 5));
    EXPECT_EQ(empty.Root()->FirstChild(), nullptr);
}

TEST(XmlParse, SecondParseAppendsAfterExistingElements)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<a/><b/>"));
    ASSERT_TRUE(document.Parse("<c/>"));
    EXPECT_EQ(Describe(document), "a,b,c");
}

TEST(XmlParse, OversizedStringsBecomeAbsent)
{
    std::string text = "<a v=\"";
    text.append(0x400000, 'x');
    text += "\" w=\"ok\">";
    text.append(0x400000, 't');
    text += "</a>";
    XmlDocument document;
    ASSERT_TRUE(ParseExact(document, text));
    const XmlElement* a = document.Root()->FirstChild();
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a->FirstAttribute(), nullptr);
    EXPECT_EQ(a->GetAttribute("v"), nullptr);
    EXPECT_STREQ(a->GetAttribute("w"), "ok");
    EXPECT_EQ(a->Text(), nullptr);
}

} // namespace
} // namespace kelpo
