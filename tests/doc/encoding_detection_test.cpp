// Detection order of the five encodings, the rules for .java files, and the
// line-end mode taken from the first line end.
#include "doc/encoding_detection.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpo {
namespace {

using namespace std::string_literals;

FileEncoding Detect(const std::string& bytes, bool javaFile = false,
                    FileEncoding newFileEncoding = FileEncoding::Utf16BeBom) {
    return DetectEncoding(bytes, newFileEncoding, javaFile).encoding;
}

TEST(EncodingDetection, EmptyFileTakesNewFileEncodingExceptJava) {
    EXPECT_EQ(Detect(""), FileEncoding::Utf16BeBom);
    EXPECT_EQ(Detect("", false, FileEncoding::Ansi), FileEncoding::Ansi);
    EXPECT_EQ(Detect("", true, FileEncoding::Ansi), FileEncoding::Utf8);
    EXPECT_EQ(Detect("", true, FileEncoding::Utf16LeBom), FileEncoding::Utf8);
}

TEST(EncodingDetection, MarksComeBeforeTheUtf8Test) {
    // What follows a mark is not examined: invalid UTF-8 after EF BB BF stays UTF-8 BOM.
    EncodingDetection d = DetectEncoding("\xEF\xBB\xBF\xFF\xFE"s, FileEncoding::Ansi, false);
    EXPECT_EQ(d.encoding, FileEncoding::Utf8Bom);
    EXPECT_EQ(d.form, TextForm::Utf8);
    EXPECT_EQ(d.markLength, 3u);

    d = DetectEncoding("\xFE\xFF\x00\x41"s, FileEncoding::Ansi, false);
    EXPECT_EQ(d.encoding, FileEncoding::Utf16BeBom);
    EXPECT_EQ(d.form, TextForm::Utf16Be);
    EXPECT_EQ(d.markLength, 2u);

    d = DetectEncoding("\xFF\xFE\x41\x00"s, FileEncoding::Ansi, false);
    EXPECT_EQ(d.encoding, FileEncoding::Utf16LeBom);
    EXPECT_EQ(d.form, TextForm::Utf16Le);
    EXPECT_EQ(d.markLength, 2u);

    // A mark alone is that encoding with no text; a .java file keeps its mark's encoding.
    EXPECT_EQ(Detect("\xEF\xBB\xBF"s), FileEncoding::Utf8Bom);
    EXPECT_EQ(Detect("\xFF\xFE"s, true), FileEncoding::Utf16LeBom);
    EXPECT_EQ(Detect("\xFE\xFF"s, true), FileEncoding::Utf16BeBom);

    // Cut-off marks are no marks: the bytes are invalid UTF-8, hence ANSI.
    EXPECT_EQ(Detect("\xEF\xBB"s), FileEncoding::Ansi);
    EXPECT_EQ(Detect("\xEF"s), FileEncoding::Ansi);
    EXPECT_EQ(Detect("\xFE"s), FileEncoding::Ansi);
    EXPECT_EQ(Detect("\xFF"s), FileEncoding::Ansi);
}

TEST(EncodingDetection, AsciiIsAnsiAndMultiByteIsUtf8) {
    EncodingDetection d = DetectEncoding("int main() { return 0; }\r\n", FileEncoding::Utf8, false);
    EXPECT_EQ(d.encoding, FileEncoding::Ansi);
    EXPECT_EQ(d.form, TextForm::Ansi);
    EXPECT_TRUE(d.plainAscii);

    d = DetectEncoding("caf\xC3\xA9\n"s, FileEncoding::Ansi, false);
    EXPECT_EQ(d.encoding, FileEncoding::Utf8);
    EXPECT_EQ(d.form, TextForm::Utf8);
    EXPECT_EQ(d.markLength, 0u);

    EXPECT_EQ(Detect("\xF0\x9F\x98\x80"s), FileEncoding::Utf8);
}

TEST(EncodingDetection, OneInvalidByteAnywhereMakesAnsi) {
    const std::string valid = "caf\xC3\xA9 " + std::string(100, 'x') + " na\xC3\xAFve";
    ASSERT_EQ(Detect(valid), FileEncoding::Utf8);
    for (std::size_t at : {std::size_t{0}, std::size_t{3}, std::size_t{50}, valid.size()}) {
        std::string broken = valid;
        broken.insert(at, 1, '\xE9');  // Latin-1 e acute, alone
        const EncodingDetection d = DetectEncoding(broken, FileEncoding::Utf8, false);
        EXPECT_EQ(d.encoding, FileEncoding::Ansi) << at;
        EXPECT_EQ(d.form, TextForm::Ansi) << at;
        EXPECT_FALSE(d.plainAscii) << at;
    }
    // Overlong, surrogate and cut-off sequences count as invalid too.
    EXPECT_EQ(Detect("a\xC0\xAF"s), FileEncoding::Ansi);
    EXPECT_EQ(Detect("a\xED\xA0\x80"s), FileEncoding::Ansi);
    EXPECT_EQ(Detect("abc\xE2\x82"s), FileEncoding::Ansi);
}

TEST(EncodingDetection, ZeroBytesCutTheByteCountShort) {
    // Bytes before the first zero against UTF-16 units of the whole buffer:
    // ASCII with a zero byte counts 2 against 5, so it is UTF-8.
    EXPECT_EQ(Detect("ab\0cd"s), FileEncoding::Utf8);
    EXPECT_EQ(Detect("\0"s), FileEncoding::Utf8);
    // Two euro signs (6 bytes, 2 units) then 4 zeros: 6 bytes before the zero
    // against 6 units, so the counts are equal and the file is ANSI.
    const EncodingDetection d = DetectEncoding("\xE2\x82\xAC\xE2\x82\xAC\0\0\0\0"s, FileEncoding::Utf8, false);
    EXPECT_EQ(d.encoding, FileEncoding::Ansi);
    EXPECT_FALSE(d.plainAscii);
}

TEST(EncodingDetection, JavaFilesAreNeverAnsi) {
    EncodingDetection d = DetectEncoding("class A {}", FileEncoding::Ansi, true);
    EXPECT_EQ(d.encoding, FileEncoding::Utf8);
    EXPECT_EQ(d.form, TextForm::Ansi);  // still read through the code page
    EXPECT_TRUE(d.plainAscii);

    d = DetectEncoding("// caf\xE9\n"s, FileEncoding::Ansi, true);
    EXPECT_EQ(d.encoding, FileEncoding::Utf8);
    EXPECT_EQ(d.form, TextForm::Ansi);

    EXPECT_EQ(Detect("caf\xC3\xA9"s, true), FileEncoding::Utf8);
}

TEST(EncodingDetection, JavaExtension) {
    EXPECT_TRUE(HasJavaExtension(L"C:\\src\\Main.java"));
    EXPECT_TRUE(HasJavaExtension(L"MAIN.JAVA"));
    EXPECT_TRUE(HasJavaExtension(L"a.b.Java"));
    EXPECT_TRUE(HasJavaExtension(L"C:/src/x.jAvA"));
    EXPECT_FALSE(HasJavaExtension(L"Main.javax"));
    EXPECT_FALSE(HasJavaExtension(L"Main.jav"));
    EXPECT_FALSE(HasJavaExtension(L"java"));
    EXPECT_FALSE(HasJavaExtension(L"C:\\x.java\\Main"));
    EXPECT_FALSE(HasJavaExtension(L""));
}

TEST(EncodingDetection, LineEndFromFirstLineEnd) {
    EXPECT_EQ(DetectLineEnd("a\r\nb\nc\rd", LineEndMode::Lf), LineEndMode::CrLf);
    EXPECT_EQ(DetectLineEnd("a\nb\r\n", LineEndMode::CrLf), LineEndMode::Lf);
    EXPECT_EQ(DetectLineEnd("a\rb\r\n", LineEndMode::Lf), LineEndMode::Cr);
    EXPECT_EQ(DetectLineEnd("abc\r", LineEndMode::Lf), LineEndMode::Cr);
    EXPECT_EQ(DetectLineEnd("\n", LineEndMode::CrLf), LineEndMode::Lf);

    // No line end, or none before the first zero byte: the fallback.
    EXPECT_EQ(DetectLineEnd("", LineEndMode::Cr), LineEndMode::Cr);
    EXPECT_EQ(DetectLineEnd("no line end", LineEndMode::Lf), LineEndMode::Lf);
    EXPECT_EQ(DetectLineEnd("ab\0\r\n"s, LineEndMode::Lf), LineEndMode::Lf);
    EXPECT_EQ(DetectLineEnd("ab\r\0\n"s, LineEndMode::Lf), LineEndMode::Cr);
}

}  // namespace
}  // namespace kelpo
