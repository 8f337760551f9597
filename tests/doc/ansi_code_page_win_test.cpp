// The system ANSI code page behind the conversion seam, as loading and saving
// use it: ASCII unchanged, and every byte of a single-byte code page back as it was.
#include "doc/ansi_code_page_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace kelpo {
namespace {

TEST(SystemAnsiCodePage, AsciiAndEmptyTextConvertUnchanged) {
    const AnsiCodePage ansi = SystemAnsiCodePage();
    EXPECT_EQ(ansi.toUtf16(""), std::u16string());
    EXPECT_EQ(ansi.fromUtf16(u""), std::string());
    std::string ascii;
    std::u16string units;
    for (int c = 0; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
        units += static_cast<char16_t>(c);
    }
    EXPECT_EQ(ansi.toUtf16(ascii), units);
    EXPECT_EQ(ansi.fromUtf16(units), ascii);
}

TEST(SystemAnsiCodePage, SingleByteCodePageRoundTripsEveryByte) {
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    if (info.MaxCharSize != 1) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not a single-byte one";
    const AnsiCodePage ansi = SystemAnsiCodePage();
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::optional<std::u16string> units = ansi.toUtf16(all);
    ASSERT_TRUE(units.has_value());
    EXPECT_EQ(units->size(), all.size());
    EXPECT_EQ(ansi.fromUtf16(*units), all);
}

}  // namespace
}  // namespace kelpo
