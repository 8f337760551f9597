// Load and save compositions: byte-exact round trips for the five encodings,
// the text and line-end mode the editor receives, and conversion failures.
#include "doc/file_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/file_size_limits.h"
#include "fake_ansi_code_page.h"

namespace kelpo {
namespace {

using namespace std::string_literals;
using testing_support::FailingCodePage;
using testing_support::Latin1CodePage;

DecodedFile Load(const std::string& bytes, LoadOptions options = {}) {
    std::optional<DecodedFile> decoded = DecodeFileBytes(bytes, options, Latin1CodePage());
    EXPECT_TRUE(decoded.has_value());
    return decoded.value_or(DecodedFile{});
}

std::string Save(const std::string& text, FileEncoding encoding) {
    std::optional<std::string> bytes = ComposeFileBytes(text, encoding, Latin1CodePage());
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or("<failed>");
}

struct RoundTripCase {
    std::string bytes;
    FileEncoding encoding;
};

TEST(FileCodec, EveryEncodingRoundTripsByteForByte) {
    const std::string mixedEnds = "one\r\ntwo\nthree\rfour\r\n\n";
    const std::vector<RoundTripCase> cases = {
        {mixedEnds, FileEncoding::Ansi},
        {"caf\xE9\r\nna\xEFve\n\x80\xFF"s + mixedEnds, FileEncoding::Ansi},
        {"caf\xC3\xA9\r\n\xF0\x9F\x98\x80\n"s + mixedEnds, FileEncoding::Utf8},
        {"ab\0cd\r\n"s, FileEncoding::Utf8},  // a zero byte makes ASCII UTF-8
        {"\xEF\xBB\xBF"s + mixedEnds, FileEncoding::Utf8Bom},
        {"\xEF\xBB\xBF" "caf\xC3\xA9\n"s, FileEncoding::Utf8Bom},
        {"\xEF\xBB\xBF\xFF\xC0\xAF\xED\xA0\x80"s, FileEncoding::Utf8Bom},  // kept as it is, however ill-formed
        {"\xFF\xFE" "A\0\r\0\n\0\xE9\0\r\0=\xD8\0\xDE\n\0"s, FileEncoding::Utf16LeBom},
        {"\xFE\xFF" "\0A\0\r\0\n\0\xE9\0\r\xD8=\xDE\0\0\n"s, FileEncoding::Utf16BeBom},
        {"\xFF\xFE" "\0\xD8" "a\0\0\xDC"s, FileEncoding::Utf16LeBom},      // unpaired surrogates
        {"\xFE\xFF" "\xDB\xFF\xDB\xFF\xDC\0"s, FileEncoding::Utf16BeBom},  // lone high, then a pair
        {"\xFF\xFE" "\0\0"s, FileEncoding::Utf16LeBom},                    // one U+0000
    };
    for (const RoundTripCase& c : cases) {
        const DecodedFile decoded = Load(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding) << testing::PrintToString(c.bytes);
        EXPECT_EQ(Save(decoded.text, decoded.encoding), c.bytes) << testing::PrintToString(c.bytes);
    }
}

TEST(FileCodec, EditorReceivesUtf8WithLineEndsUnchanged) {
    DecodedFile d = Load("caf\xE9\r\nx\n"s);
    EXPECT_EQ(d.encoding, FileEncoding::Ansi);
    EXPECT_EQ(d.text, "caf\xC3\xA9\r\nx\n"s);
    EXPECT_EQ(d.lineEnd, LineEndMode::CrLf);

    d = Load("\xEF\xBB\xBF" "a\nb\r\n"s);
    EXPECT_EQ(d.text, "a\nb\r\n");
    EXPECT_EQ(d.lineEnd, LineEndMode::Lf);

    // In UTF-16 every ASCII character carries a zero byte; the line end is
    // still found, and CR LF is not mistaken for a lone CR.
    d = Load("\xFF\xFE" "a\0\r\0\n\0"s, {FileEncoding::Ansi, LineEndMode::Lf, false});
    EXPECT_EQ(d.text, "a\r\n");
    EXPECT_EQ(d.lineEnd, LineEndMode::CrLf);
    d = Load("\xFE\xFF" "\0a\0\r"s, {FileEncoding::Ansi, LineEndMode::Lf, false});
    EXPECT_EQ(d.text, "a\r");
    EXPECT_EQ(d.lineEnd, LineEndMode::Cr);

    d = Load("no line end", {FileEncoding::Ansi, LineEndMode::Cr, false});
    EXPECT_EQ(d.lineEnd, LineEndMode::Cr);
}

TEST(FileCodec, EmptyFilesAndMarksAlone) {
    for (FileEncoding encoding : {FileEncoding::Ansi, FileEncoding::Utf8, FileEncoding::Utf8Bom,
                                  FileEncoding::Utf16LeBom, FileEncoding::Utf16BeBom}) {
        DecodedFile d = Load("", {encoding, LineEndMode::Lf, false});
        EXPECT_EQ(d.encoding, encoding);
        EXPECT_EQ(d.text, "");
        EXPECT_EQ(d.lineEnd, LineEndMode::Lf);
        EXPECT_EQ(Save("", encoding), "") << "an empty document is written without a mark";
    }
    EXPECT_EQ(Load("", {FileEncoding::Utf16LeBom, LineEndMode::Lf, true}).encoding, FileEncoding::Utf8);

    // A file holding only a mark opens empty in the mark's encoding; saved, it
    // becomes an empty file, as every empty document does.
    DecodedFile d = Load("\xFF\xFE"s);
    EXPECT_EQ(d.encoding, FileEncoding::Utf16LeBom);
    EXPECT_EQ(d.text, "");
    EXPECT_EQ(Save(d.text, d.encoding), "");
    EXPECT_EQ(Load("\xEF\xBB\xBF"s).encoding, FileEncoding::Utf8Bom);
}

TEST(FileCodec, OddLengthUtf16KeepsTheStrayByteVisible) {
    DecodedFile d = Load("\xFF\xFE" "A\0B"s);
    EXPECT_EQ(d.encoding, FileEncoding::Utf16LeBom);
    EXPECT_EQ(d.text, "A\xEF\xBF\xBD"s);
    EXPECT_EQ(Save(d.text, d.encoding), "\xFF\xFE" "A\0\xFD\xFF"s);

    d = Load("\xFE\xFF" "\0A\0"s);
    EXPECT_EQ(d.text, "A\xEF\xBF\xBD"s);
    d = Load("\xFF\xFE\x41"s);
    EXPECT_EQ(d.text, "\xEF\xBF\xBD"s);
}

TEST(FileCodec, JavaAnsiFileBecomesUtf8) {
    DecodedFile d = Load("// caf\xE9\n"s, {FileEncoding::Ansi, LineEndMode::CrLf, true});
    EXPECT_EQ(d.encoding, FileEncoding::Utf8);
    EXPECT_EQ(d.text, "// caf\xC3\xA9\n"s);
    EXPECT_EQ(Save(d.text, d.encoding), "// caf\xC3\xA9\n"s);

    d = Load("class A {}\r\n", {FileEncoding::Ansi, LineEndMode::Lf, true});
    EXPECT_EQ(d.encoding, FileEncoding::Utf8);
    EXPECT_EQ(Save(d.text, d.encoding), "class A {}\r\n");
}

TEST(FileCodec, SavingInAnotherEncoding) {
    const std::string text = "caf\xC3\xA9\r\n\xF0\x9F\x98\x80"s;
    EXPECT_EQ(Save(text, FileEncoding::Utf8), text);
    EXPECT_EQ(Save(text, FileEncoding::Utf8Bom), "\xEF\xBB\xBF"s + text);
    EXPECT_EQ(Save(text, FileEncoding::Utf16LeBom), "\xFF\xFE" "c\0a\0f\0\xE9\0\r\0\n\0=\xD8\0\xDE"s);
    EXPECT_EQ(Save(text, FileEncoding::Utf16BeBom), "\xFE\xFF" "\0c\0a\0f\0\xE9\0\r\0\n\xD8=\xDE\0"s);
    EXPECT_EQ(Save("caf\xC3\xA9\r\n"s, FileEncoding::Ansi), "caf\xE9\r\n"s);
    // The fake code page has no emoji: nothing is composed rather than a default character.
    EXPECT_FALSE(ComposeFileBytes(text, FileEncoding::Ansi, Latin1CodePage()).has_value());
}

TEST(FileCodec, CodePageFailureIsReportedNotWritten) {
    EXPECT_FALSE(DecodeFileBytes("caf\xE9"s, {}, FailingCodePage()).has_value());
    EXPECT_FALSE(ComposeFileBytes("caf\xC3\xA9"s, FileEncoding::Ansi, FailingCodePage()).has_value());
    // ASCII reads the same in every ANSI code page and needs no conversion.
    const std::optional<DecodedFile> ascii = DecodeFileBytes("plain\n", {}, FailingCodePage());
    ASSERT_TRUE(ascii.has_value());
    EXPECT_EQ(ascii->text, "plain\n");
    EXPECT_EQ(ComposeFileBytes("plain\n", FileEncoding::Ansi, FailingCodePage()), "plain\n");
    // The other encodings never go through the code page.
    EXPECT_EQ(ComposeFileBytes("\xC3\xA9"s, FileEncoding::Utf16LeBom, FailingCodePage()), "\xFF\xFE\xE9\0"s);
}

TEST(FileCodec, SizeLimits) {
    EXPECT_EQ(CheckFileSize(0), FileSizeCheck::Open);
    EXPECT_EQ(CheckFileSize(62'914'560), FileSizeCheck::Open);
    EXPECT_EQ(CheckFileSize(62'914'561), FileSizeCheck::AskFirst);
    EXPECT_EQ(CheckFileSize(524'288'000), FileSizeCheck::AskFirst);
    EXPECT_EQ(CheckFileSize(524'288'001), FileSizeCheck::Refuse);
    EXPECT_EQ(CheckFileSize(UINT64_MAX), FileSizeCheck::Refuse);
}

}  // namespace
}  // namespace kelpo
