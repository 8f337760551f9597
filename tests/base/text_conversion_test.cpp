// UTF-16 ⇄ UTF-8 on every scalar value, on surrogates and ill-formed input, on
// odd-length UTF-16 bytes, and line-end rewriting.
#include "base/text_conversion.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelpo {
namespace {

using namespace std::string_literals;

std::string Utf16BytesToUtf8InExactBlock(const std::string& bytes, ByteOrder order) {
    auto block = std::make_unique<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    return Utf16BytesToUtf8(std::string_view(block.get(), bytes.size()), order);
}

TEST(TextConversion, EveryScalarValueRoundTrips) {
    std::u16string units;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        if (cp < 0x10000) {
            units += static_cast<char16_t>(cp);
        } else {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    const std::string utf8 = Utf16ToUtf8(units);
    EXPECT_EQ(utf8.size(), 0x80u + 2u * 0x780u + 3u * (0x10000u - 0x800u - 0x800u) + 4u * 0x100000u);
    EXPECT_EQ(Utf8ToUtf16(utf8), units);

    std::string le;
    std::string be;
    for (char16_t u : units) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    EXPECT_EQ(Utf16BytesToUtf8(le, ByteOrder::LittleEndian), utf8);
    EXPECT_EQ(Utf16BytesToUtf8(be, ByteOrder::BigEndian), utf8);
    EXPECT_EQ(Utf8ToUtf16Bytes(utf8, ByteOrder::LittleEndian), le);
    EXPECT_EQ(Utf8ToUtf16Bytes(utf8, ByteOrder::BigEndian), be);
}

TEST(TextConversion, KnownValues) {
    EXPECT_EQ(Utf16ToUtf8(u"A\u00E9\u20AC\U0001F600"), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"s);
    EXPECT_EQ(Utf16BytesToUtf8("A\0\xE9\0"s, ByteOrder::LittleEndian), "A\xC3\xA9"s);
    EXPECT_EQ(Utf16BytesToUtf8("\0A\0\xE9"s, ByteOrder::BigEndian), "A\xC3\xA9"s);
    EXPECT_EQ(Utf16BytesToUtf8("\x3D\xD8\x00\xDE"s, ByteOrder::LittleEndian), "\xF0\x9F\x98\x80"s);
    EXPECT_EQ(Utf8ToUtf16Bytes("\xF0\x9F\x98\x80"s, ByteOrder::BigEndian), "\xD8\x3D\xDE\x00"s);
    EXPECT_EQ(Utf16ToUtf8(u""), "");
    EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(TextConversion, OddLengthUtf16EndsInReplacementCharacter) {
    // The stray byte is never paired with whatever lies after the buffer.
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("A\0B"s, ByteOrder::LittleEndian), "A\xEF\xBF\xBD"s);
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("\0A\0"s, ByteOrder::BigEndian), "A\xEF\xBF\xBD"s);
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("\x0A"s, ByteOrder::LittleEndian), "\xEF\xBF\xBD"s);
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("A\0B\0C\0D\0E\0F\0G\0H\0I"s, ByteOrder::LittleEndian),
              "ABCDEFGH\xEF\xBF\xBD"s);
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("\0A\0B\0C\0D\0E\0F\0G\0H\0"s, ByteOrder::BigEndian),
              "ABCDEFGH\xEF\xBF\xBD"s);
    // A high surrogate whose partner is cut to one byte stays unpaired.
    EXPECT_EQ(Utf16BytesToUtf8InExactBlock("\x3D\xD8\x00"s, ByteOrder::LittleEndian),
              "\xED\xA0\xBD\xEF\xBF\xBD"s);
}

TEST(TextConversion, UnpairedSurrogatesSurviveTheRoundTrip) {
    const std::u16string cases[] = {
        u"a\xD800",            // high at the end
        u"\xDC00z",            // low alone
        u"\xD800\x0041",       // high followed by a non-surrogate
        u"\xDBFF\xDBFF\xDC00", // lone high, then a pair
        u"\xDFFF\xD800",       // low then high: not a pair
    };
    for (const std::u16string& units : cases) {
        const std::string utf8 = Utf16ToUtf8(units);
        EXPECT_EQ(Utf8ToUtf16(utf8), units) << testing::PrintToString(utf8);
    }
    EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xED\xA0\x80"s);
    EXPECT_EQ(Utf16ToUtf8(u"\xDFFF"), "\xED\xBF\xBF"s);
}

TEST(TextConversion, IllFormedUtf8BecomesReplacementCharacters) {
    // One U+FFFD per maximal ill-formed subpart.
    EXPECT_EQ(Utf8ToUtf16("\xC3"s), u"\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82" "A"s), u"\xFFFD" u"A");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98"s), u"\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"s), u"\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80\xAF"s), u"\xFFFD\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"s), u"\xFFFD\xFFFD\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("\x80\xBF"s), u"\xFFFD\xFFFD");
    EXPECT_EQ(Utf8ToUtf16("a\xFFz"s), u"a\xFFFDz");
    EXPECT_EQ(Utf8ToUtf16Bytes("\xE9"s, ByteOrder::LittleEndian), "\xFD\xFF"s);
    // Long ASCII runs around ill-formed bytes, across the eight-byte block path.
    const std::string run(19, 'x');
    EXPECT_EQ(Utf8ToUtf16(run + "\xE9" + run), std::u16string(19, u'x') + u"\xFFFD" + std::u16string(19, u'x'));
}

TEST(TextConversion, LineEnds) {
    const std::string mixed = "a\r\nb\nc\rd\r\r\n\n";
    EXPECT_EQ(ConvertLineEnds(mixed, LineEndMode::CrLf), "a\r\nb\r\nc\r\nd\r\n\r\n\r\n");
    EXPECT_EQ(ConvertLineEnds(mixed, LineEndMode::Lf), "a\nb\nc\nd\n\n\n");
    EXPECT_EQ(ConvertLineEnds(mixed, LineEndMode::Cr), "a\rb\rc\rd\r\r\r");
    EXPECT_EQ(ConvertLineEnds("", LineEndMode::CrLf), "");
    EXPECT_EQ(ConvertLineEnds("no end", LineEndMode::CrLf), "no end");
    EXPECT_EQ(ConvertLineEnds("end\r", LineEndMode::Lf), "end\n");
}

TEST(TextConversion, AsciiTest) {
    EXPECT_TRUE(IsAscii(""));
    EXPECT_TRUE(IsAscii(std::string(33, '\x7F') + "\0"s));
    for (std::size_t at : {0u, 7u, 15u, 16u, 31u, 32u}) {
        std::string s(33, 'a');
        s[at] = '\x80';
        EXPECT_FALSE(IsAscii(s)) << at;
    }
}

}  // namespace
}  // namespace kelpo
