// Building and changing a tree: element navigation, attributes, text and path lookup.
#include "xml/xml_element.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "xml/xml_document.h"
#include "xml_test_support.h"

namespace kelpo {
namespace {

using xmltest::Describe;

TEST(XmlElement, NavigationByName)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<r><a n=\"1\"/><b/><a n=\"2\"/><c/><a n=\"3\"/></r>"));
    XmlElement* r = document.Root()->FirstChild();
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(r->FirstChild()->Name(), "a");
    EXPECT_STREQ(r->FirstChild("c")->Name(), "c");
    EXPECT_EQ(r->FirstChild("A"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(r->FirstChild("missing"), nullptr);

    std::string numbers;
    for (XmlElement* a = r->FirstChild("a"); a != nullptr; a = a->NextSibling("a")) {
        numbers += a->GetAttribute("n");
    }
    EXPECT_EQ(numbers, "123");
    EXPECT_STREQ(r->FirstChild()->NextSibling()->Name(), "b");
    EXPECT_EQ(r->FirstChild("c")->NextSibling("b"), nullptr);
}

TEST(XmlElement, GetAttributeIntReadsLikeAtoi)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<e a=\" \t-12abc\" b=\"+7\" c=\"x9\" d=\"\" e=\"99999999999\" "
                               "f=\"-99999999999\" g=\"2147483647\" h=\"-2147483648\"/>"));
    const XmlElement* e = document.Root()->FirstChild();
    int number = 42;
    EXPECT_STREQ(e->GetAttributeInt("a", &number), " \t-12abc");
    EXPECT_EQ(number, -12);
    e->GetAttributeInt("b", &number);
    EXPECT_EQ(number, 7);
    e->GetAttributeInt("c", &number);
    EXPECT_EQ(number, 0);
    number = 5;
    e->GetAttributeInt("d", &number);
    EXPECT_EQ(number, 0);
    e->GetAttributeInt("e", &number);
    EXPECT_EQ(number, INT_MAX);
    e->GetAttributeInt("f", &number);
    EXPECT_EQ(number, INT_MIN);
    e->GetAttributeInt("g", &number);
    EXPECT_EQ(number, INT_MAX);
    e->GetAttributeInt("h", &number);
    EXPECT_EQ(number, INT_MIN);

    number = 42;
    EXPECT_EQ(e->GetAttributeInt("absent", &number), nullptr);
    EXPECT_EQ(number, 42) << "absent attribute leaves the slot untouched";
    EXPECT_STREQ(e->GetAttributeInt("b", nullptr), "+7");
    EXPECT_EQ(e->GetAttribute(nullptr), nullptr);
}

TEST(XmlElement, SetAttributeChangesLastNamesakeOrAppends)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<e k=\"first\" k=\"second\"/>"));
    XmlElement* e = document.Root()->FirstChild();
    e->SetAttribute("k", "new");
    EXPECT_STREQ(e->GetAttribute("k"), "first");
    EXPECT_EQ(Describe(document), "e{k=first,k=new}");

    e->SetAttribute("added", "v");
    e->SetAttributeInt("n", -2147483647 - 1);
    e->SetAttributeInt("p", 305);
    EXPECT_EQ(Describe(document), "e{k=first,k=new,added=v,n=-2147483648,p=305}");

    XmlElement* fresh = document.CreateElement("fresh");
    fresh->SetAttribute("a", "1");
    EXPECT_EQ(xmltest::DescribeElement(*fresh), "fresh{a=1}");
}

TEST(XmlElement, UpdatesThatDoNotGrowReuseStorage)
{
    XmlDocument document;
    XmlElement* e = document.CreateElement("e");
    e->SetAttribute("v", "12345");
    e->SetText("some text");
    const char* storedValue = e->GetAttribute("v");
    const char* storedText = e->Text();
    // Staying at the same address means no new copy was taken in the arena.
    for (int i = 10000; i < 100000; ++i) {
        e->SetAttributeInt("v", i);
        e->SetText(i % 2 == 0 ? "even text" : "odd text!");
    }
    EXPECT_EQ(e->GetAttribute("v"), storedValue);
    EXPECT_EQ(e->Text(), storedText);
    EXPECT_STREQ(e->GetAttribute("v"), "99999");
    EXPECT_STREQ(e->Text(), "odd text!");
    e->SetText("short");
    EXPECT_EQ(e->Text(), storedText);
    EXPECT_STREQ(e->Text(), "short");

    e->SetAttribute("v", "longer than before");
    EXPECT_NE(e->GetAttribute("v"), storedValue);
    EXPECT_STREQ(e->GetAttribute("v"), "longer than before");
    e->SetAttribute("v", e->GetAttribute("v") + 7);
    EXPECT_STREQ(e->GetAttribute("v"), "than before");
}

TEST(XmlElement, SetTextAndCData)
{
    XmlDocument document;
    XmlElement* e = document.CreateElement("e");
    e->SetText("x < y", true);
    EXPECT_TRUE(e->IsCData());
    EXPECT_STREQ(e->Text(), "x < y");
    e->SetText("plain");
    EXPECT_FALSE(e->IsCData());
    e->SetText("");
    EXPECT_STREQ(e->Text(), "");
    e->SetText(nullptr);
    EXPECT_EQ(e->Text(), nullptr);
}

TEST(XmlElement, ValuesOfBlockSizeBecomeAbsent)
{
    XmlDocument document;
    XmlElement* e = document.CreateElement("e");
    e->SetAttribute("v", "short");
    const std::string huge(XmlArena::kDocumentBlockSize, 'x');
    e->SetAttribute("v", huge.c_str());
    EXPECT_NE(e->FirstAttribute(), nullptr);
    EXPECT_EQ(e->GetAttribute("v"), nullptr);
    e->SetText(huge.c_str());
    EXPECT_EQ(e->Text(), nullptr);
    // The document keeps working after a refused request.
    e->SetAttribute("w", "fine");
    EXPECT_STREQ(e->GetAttribute("w"), "fine");
}

TEST(XmlDocumentTree, CreateAndAppendKeepsOrder)
{
    XmlDocument document;
    XmlElement* first = document.CreateElement("first");
    XmlElement* second = document.CreateElement("second");
    EXPECT_EQ(document.Root()->FirstChild(), nullptr) << "a created element is not yet in the tree";
    document.AppendTopLevel(first);
    document.AppendTopLevel(second);
    for (const char* name : {"c1", "c2", "c3"}) {
        first->AppendChild(document.CreateElement(name));
    }
    first->AppendChild(nullptr);
    first->AppendChild(first);
    EXPECT_EQ(Describe(document), "first[c1,c2,c3],second");
    EXPECT_EQ(first->FirstChild()->Parent(), first);
    EXPECT_EQ(first->Owner(), &document);
}

TEST(XmlDocumentTree, FindPath)
{
    XmlDocument document;
    ASSERT_TRUE(document.Parse("<favorites><group name=\"g1\"><file/></group>"
                               "<group name=\"g2\"><item/></group></favorites><other/>"));
    XmlElement* favorites = document.Root()->FirstChild();
    EXPECT_EQ(document.FindPath("/favorites/"), favorites);
    EXPECT_EQ(document.FindPath("favorites"), favorites);
    EXPECT_EQ(document.FindPath("Favorites"), nullptr);
    EXPECT_EQ(document.FindPath("//favorites\\\\group//file"), favorites->FirstChild()->FirstChild());
    EXPECT_EQ(document.FindPath("favorites/group/item"), nullptr) << "no backtracking to the second group";
    EXPECT_EQ(document.FindPath("favorites/missing"), nullptr);
    EXPECT_EQ(document.FindPath("other"), favorites->NextSibling());
    EXPECT_EQ(document.FindPath(nullptr), document.Root());
    EXPECT_EQ(document.FindPath("///"), document.Root());

    const std::string longest = std::string(259 - 9, '/') + "favorites";
    EXPECT_EQ(document.FindPath(longest.c_str()), favorites);
    const std::string tooLong = "/" + longest;
    EXPECT_EQ(document.FindPath(tooLong.c_str()), nullptr);
}

} // namespace
} // namespace kelpo
