// Accept and reject tables for the UTF-8 test, checked against a plain decoder
// and at every offset around the ASCII block path.
#include "doc/utf8_validator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kelpo {
namespace {

using namespace std::string_literals;

// A decoder written from the code-point rules (length from the lead byte,
// shortest form, no surrogates, at most U+10FFFF) rather than from byte ranges.
bool ReferenceWellFormed(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned lead = static_cast<unsigned char>(s[i]);
        int length = 0;
        char32_t cp = 0;
        if (lead < 0x80) { length = 1; cp = lead; }
        else if ((lead & 0xE0) == 0xC0) { length = 2; cp = lead & 0x1F; }
        else if ((lead & 0xF0) == 0xE0) { length = 3; cp = lead & 0x0F; }
        else if ((lead & 0xF8) == 0xF0) { length = 4; cp = lead & 0x07; }
        else return false;
        if (i + static_cast<std::size_t>(length) > s.size()) return false;
        for (int k = 1; k < length; ++k) {
            const unsigned b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80) return false;
            cp = cp << 6 | (b & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// The bytes in a heap block of exactly their size, so that a read past the
// end is caught by the address sanitizer rather than landing on a terminator.
bool WellFormedInExactBlock(const std::string& s) {
    auto block = std::make_unique<char[]>(s.size());
    std::copy(s.begin(), s.end(), block.get());
    const std::string_view bytes(block.get(), s.size());
    const bool plain = IsWellFormedUtf8(bytes);
    EXPECT_EQ(plain, ScanUtf8(bytes).wellFormed) << "the two entry points disagree";
    return plain;
}

TEST(Utf8Validator, AcceptsBoundaryCodePoints) {
    const std::vector<std::string> accepted = {
        ""s, "plain ascii"s, "\0\0\0"s, "a\0b"s,
        "\xC2\x80"s, "\xDF\xBF"s,                          // U+0080, U+07FF
        "\xE0\xA0\x80"s, "\xED\x9F\xBF"s,                  // U+0800, U+D7FF
        "\xEE\x80\x80"s, "\xEF\xBF\xBF"s,                  // U+E000, U+FFFF
        "\xF0\x90\x80\x80"s, "\xF4\x8F\xBF\xBF"s,          // U+10000, U+10FFFF
        "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"s,
    };
    for (const std::string& s : accepted) EXPECT_TRUE(WellFormedInExactBlock(s)) << testing::PrintToString(s);
}

TEST(Utf8Validator, RejectsOverlongsSurrogatesAndOutOfRange) {
    const std::vector<std::string> rejected = {
        // overlong forms
        "\xC0\x80"s, "\xC0\xAF"s, "\xC1\xBF"s, "\xE0\x80\x80"s, "\xE0\x9F\xBF"s, "\xF0\x80\x80\x80"s,
        "\xF0\x8F\xBF\xBF"s,
        // surrogates, alone and as an encoded pair
        "\xED\xA0\x80"s, "\xED\xBF\xBF"s, "\xED\xA0\x80\xED\xB0\x80"s,
        // above U+10FFFF and bytes that never occur
        "\xF4\x90\x80\x80"s, "\xF5\x80\x80\x80"s, "\xF7\xBF\xBF\xBF"s, "\xF8\x88\x80\x80\x80"s,
        "\xFC\x84\x80\x80\x80\x80"s, "\xFE"s, "\xFF"s,
        // a lead byte followed by something other than a continuation
        "\xC3("s, "\xE2\x82("s, "\xF0\x9F\x98("s, "\xE2(\xAC"s,
    };
    for (const std::string& s : rejected) EXPECT_FALSE(WellFormedInExactBlock(s)) << testing::PrintToString(s);
}

TEST(Utf8Validator, RejectsEveryLoneContinuationAndTruncatedEnd) {
    for (int b = 0x80; b <= 0xBF; ++b) {
        const std::string lone(1, static_cast<char>(b));
        EXPECT_FALSE(WellFormedInExactBlock(lone)) << b;
        EXPECT_FALSE(WellFormedInExactBlock("text " + lone + " text")) << b;
    }
    for (int lead = 0xC2; lead <= 0xF4; ++lead) {
        EXPECT_FALSE(WellFormedInExactBlock(std::string(1, static_cast<char>(lead)))) << lead;
        EXPECT_FALSE(WellFormedInExactBlock(std::string(31, 'x') + static_cast<char>(lead))) << lead;
    }
    EXPECT_FALSE(WellFormedInExactBlock("\xE2\x82"s));
    EXPECT_FALSE(WellFormedInExactBlock("\xF0\x9F\x98"s));
    EXPECT_FALSE(WellFormedInExactBlock(std::string(16, 'x') + "\xF0\x9F\x98"s));
}

TEST(Utf8Validator, AgreesWithReferenceOnAllShortSequences) {
    // Each sequence is tried alone and after 1..17 ASCII bytes, so it straddles
    // the block boundary at every offset, and with ASCII after it.
    auto check = [](const std::string& seq) {
        const bool expected = ReferenceWellFormed(seq);
        if (IsWellFormedUtf8(seq) != expected) return false;
        for (std::size_t pad = 1; pad <= 17; pad += 4) {
            const std::string padded = std::string(pad, 'a') + seq + std::string(pad, 'z');
            if (IsWellFormedUtf8(padded) != expected) return false;
        }
        return true;
    };
    for (int a = 0; a < 256; ++a) {
        ASSERT_TRUE(check(std::string(1, static_cast<char>(a)))) << a;
        for (int b = 0; b < 256; ++b) {
            ASSERT_TRUE(check({static_cast<char>(a), static_cast<char>(b)})) << a << ' ' << b;
        }
    }
    for (int a = 0xE0; a <= 0xF4; ++a) {
        for (int b = 0x70; b < 0xC8; ++b) {
            for (int c = 0x70; c < 0xC8; ++c) {
                const std::string seq{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)};
                ASSERT_EQ(IsWellFormedUtf8(seq), ReferenceWellFormed(seq)) << a << ' ' << b << ' ' << c;
                const std::string four = seq + '\x80';
                ASSERT_EQ(IsWellFormedUtf8(four), ReferenceWellFormed(four)) << a << ' ' << b << ' ' << c;
            }
        }
    }
}

TEST(Utf8Validator, AcceptsEveryScalarValue) {
    std::string all;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        if (cp < 0x80) {
            all += static_cast<char>(cp);
        } else if (cp < 0x800) {
            all += static_cast<char>(0xC0 | cp >> 6);
            all += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            all += static_cast<char>(0xE0 | cp >> 12);
            all += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            all += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            all += static_cast<char>(0xF0 | cp >> 18);
            all += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            all += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            all += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    const Utf8Scan scan = ScanUtf8(all);
    EXPECT_TRUE(scan.wellFormed);
    // 0x10000 - 0x800 BMP values in one unit, 0x100000 supplementary values in two.
    EXPECT_EQ(scan.utf16Length, (0x10000u - 0x800u) + 2u * 0x100000u);
    EXPECT_EQ(scan.firstZero, 0u);
}

TEST(Utf8Validator, ScanCountsUnitsAndFindsFirstZero) {
    Utf8Scan scan = ScanUtf8("a\xE2\x82\xAC\xF0\x9F\x98\x80"s);  // a, euro sign, one supplementary character
    EXPECT_TRUE(scan.wellFormed);
    EXPECT_EQ(scan.utf16Length, 4u);
    EXPECT_EQ(scan.firstZero, 8u);

    // Zeros found in the block path, in the byte-by-byte path and after a block.
    std::string ascii(40, 'x');
    ascii[21] = '\0';
    ascii[30] = '\0';
    scan = ScanUtf8(ascii);
    EXPECT_EQ(scan.firstZero, 21u);
    EXPECT_EQ(scan.utf16Length, 40u);

    scan = ScanUtf8("\xC3\xA9x\0y"s);
    EXPECT_EQ(scan.firstZero, 3u);
    EXPECT_EQ(scan.utf16Length, 4u);

    std::string mixed = "\xC3\xA9"s + std::string(40, 'x');
    mixed[35] = '\0';
    scan = ScanUtf8(mixed);
    EXPECT_EQ(scan.firstZero, 35u);
    EXPECT_EQ(scan.utf16Length, 41u);
}

}  // namespace
}  // namespace kelpo
