// Find in Files through the Windows file system: a real folder tree, read with the Windows seam.
#include "aids/find_disk_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "aids/find_engine.h"
#include "base/text_conversion.h"
#include "doc/ansi_code_page_win.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

class CollectingSink : public FindSink {
public:
    void Result(const FindResult& result) override { lines.push_back(FormatResultLine(result, u"binary file")); }
    void Progress(const std::wstring&) override {}
    void Finished(const FindTotals&) override {}

    std::vector<std::u16string> lines;
};

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

TEST(WindowsFindDisk, SearchesARealTreeWithItsFullPaths) {
    test::TempFolder folder;
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));
    test::WriteFileBytes(folder.File(L"a.c"), "int a;\r\nint b;\r\n// needle here\r\n");
    const std::string utf8 = "x\r\nGr\xC3\xBC\xC3\x9F" "e needle\r\n";
    const std::wstring header = folder.File(L"sub\\\u00E9t\u00E9.h");
    test::WriteFileBytes(header, "\xFF\xFE" + Utf8ToUtf16Bytes(utf8, ByteOrder::LittleEndian));
    test::WriteFileBytes(folder.File(L"sub\\skip.txt"), "needle\r\n");

    WindowsFindDisk disk;
    FindServices services{disk, SystemAnsiCodePage(), {}};
    CollectingSink sink;
    std::atomic<bool> stop{false};
    const FindRequest request{u"NEEDLE", folder.Path(), L"*.c; *.h", false, true, true};
    const FindTotals totals = FindInFiles(request, services, sink, stop);

    std::vector<std::u16string> expected{U16(folder.File(L"a.c")) + u"(3): // needle here",
                                         U16(header) + u"(2): Gr\u00FC\u00DFe needle"};
    std::sort(sink.lines.begin(), sink.lines.end());  // the file system picks the order
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(totals.filesSearched, 2u);
    EXPECT_EQ(totals.filesWithMatches, 2u);
    EXPECT_EQ(totals.bytesSearched, 32u + 2u + 2u * 17u);

    FindRequest missing = request;
    missing.folder = folder.File(L"nowhere");
    EXPECT_EQ(FindInFiles(missing, services, sink, stop).filesSearched, 0u);
}

}  // namespace
}  // namespace kelpo
