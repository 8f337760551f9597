// Loading and saving XML files by wide path, including names outside the ANSI code
// page and the failures callers must be told about.
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "xml/xml_file.h"
#include "xml_test_support.h"

namespace kelpo {
namespace {

namespace fs = std::filesystem;
using xmltest::Describe;

// A folder of its own under the temporary folder, removed again at the end.
class XmlFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("kelpo_xml_test_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // The wide form is built from the ASCII folder name plus a wide file name, so
    // no narrow-to-wide conversion of the test's own choosing is involved.
    std::wstring WidePath(const std::wstring& name) const
    {
        const std::string folder = folder_.string();
        std::wstring wide(folder.begin(), folder.end());
        return wide + static_cast<wchar_t>(fs::path::preferred_separator) + name;
    }

    void WriteBytes(const std::wstring& name, const std::string& bytes) const
    {
        ASSERT_TRUE(WriteXmlFileBytes(WidePath(name).c_str(), bytes));
    }

    std::string ReadBytes(const std::wstring& name) const
    {
        const std::optional<std::string> bytes = ReadXmlFileBytes(WidePath(name).c_str(), 1 << 20);
        return bytes ? *bytes : "<unreadable>";
    }

    fs::path folder_;
};

TEST_F(XmlFileTest, LoadKeepsByteOrderMarkAndSaveWritesItAgain)
{
    WriteBytes(L"bom.xml", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<a x=\"1\" />\r\n");
    XmlDocument withMark;
    ASSERT_TRUE(withMark.Load(WidePath(L"bom.xml").c_str()));
    EXPECT_TRUE(withMark.HasBom());
    ASSERT_TRUE(withMark.Save(WidePath(L"bom-out.xml").c_str()));
    EXPECT_EQ(ReadBytes(L"bom-out.xml"), "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<a x=\"1\" />\r\n");

    WriteBytes(L"plain.xml", "<a/>");
    XmlDocument without;
    ASSERT_TRUE(without.Load(WidePath(L"plain.xml").c_str()));
    EXPECT_FALSE(without.HasBom());
    EXPECT_EQ(Describe(without), "a");
}

TEST_F(XmlFileTest, LoadFailures)
{
    XmlDocument missing;
    EXPECT_FALSE(missing.Load(WidePath(L"missing.xml").c_str()));
    XmlDocument nullPath;
    EXPECT_FALSE(nullPath.Load(nullptr));

    WriteBytes(L"doctype.xml", "<!DOCTYPE never closed");
    XmlDocument unparsable;
    EXPECT_FALSE(unparsable.Load(WidePath(L"doctype.xml").c_str()));

    // Larger than 1 GiB: refused before any buffer is taken. The file is sparse.
    const std::wstring big = WidePath(L"big.xml");
    WriteBytes(L"big.xml", "<a/>");
    fs::resize_file(folder_ / "big.xml", 0x40000001);
    XmlDocument tooLarge;
    EXPECT_FALSE(tooLarge.Load(big.c_str()));

    XmlDocument folderAsFile;
    EXPECT_FALSE(folderAsFile.Load(WidePath(L"").c_str()));
}

TEST_F(XmlFileTest, LoadStopsAtZeroByte)
{
    WriteBytes(L"zero.xml", std::string("<a>kept</a>\0<b/>", 16));
    XmlDocument document;
    ASSERT_TRUE(document.Load(WidePath(L"zero.xml").c_str()));
    EXPECT_EQ(Describe(document), "a\"kept\"");

    WriteBytes(L"empty.xml", "");
    XmlDocument empty;
    EXPECT_TRUE(empty.Load(WidePath(L"empty.xml").c_str()));
    EXPECT_EQ(empty.Root()->FirstChild(), nullptr);
}

TEST_F(XmlFileTest, RoundTripThroughNameOutsideAnsiCodePage)
{
    const std::wstring name = L"session \u00e9\u65e5\u672c.xml";
    XmlDocument document;
    document.SetBom(true);
    document.SetDeclaration("1.0", "UTF-8", nullptr);
    XmlElement* session = document.CreateElement("session");
    document.AppendTopLevel(session);
    XmlElement* file = document.CreateElement("file");
    file->SetAttribute("path", "C:\\\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC.txt");
    file->SetAttributeInt("line", 12);
    session->AppendChild(file);
    ASSERT_TRUE(document.Save(WidePath(name).c_str()));

    // The file carries the real name, not a code-page approximation of it.
    EXPECT_TRUE(fs::exists(folder_ / fs::path(u8"session \u00e9\u65e5\u672c.xml")));

    XmlDocument loaded;
    ASSERT_TRUE(loaded.Load(WidePath(name).c_str()));
    EXPECT_TRUE(loaded.HasBom());
    EXPECT_STREQ(loaded.Encoding(), "UTF-8");
    const XmlElement* loadedFile = loaded.FindPath("session/file");
    ASSERT_NE(loadedFile, nullptr);
    EXPECT_STREQ(loadedFile->GetAttribute("path"), "C:\\\xC3\xA9\\\xE6\x97\xA5\xE6\x9C\xAC.txt");
    int line = 0;
    loadedFile->GetAttributeInt("line", &line);
    EXPECT_EQ(line, 12);
    EXPECT_EQ(loaded.ToText(), document.ToText());
}

TEST_F(XmlFileTest, SaveReportsFailures)
{
    XmlDocument document;
    document.AppendTopLevel(document.CreateElement("a"));
    EXPECT_FALSE(document.Save(WidePath(L"no such folder/out.xml").c_str()));
    EXPECT_FALSE(document.Save(WidePath(L"").c_str())) << "a folder cannot be written as a file";
    EXPECT_FALSE(document.Save(nullptr));
    EXPECT_TRUE(document.Save(WidePath(L"ok.xml").c_str()));
    EXPECT_EQ(ReadBytes(L"ok.xml"), "<a />\r\n");
}

TEST(XmlFile, SaveReportsWriteErrorOnFullDevice)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs a device that refuses writes";
#else
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    XmlDocument small;
    small.AppendTopLevel(small.CreateElement("a"));
    EXPECT_FALSE(small.Save(L"/dev/full")) << "the error surfaces when the file is closed";

    XmlDocument large;
    XmlElement* top = large.CreateElement("top");
    large.AppendTopLevel(top);
    top->SetText(std::string(200000, 'x').c_str());
    EXPECT_FALSE(large.Save(L"/dev/full"));
#endif
}

} // namespace
} // namespace kelpo
