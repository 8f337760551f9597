// Files on disk opened into real editor views and saved back: encodings, line ends, detection
// cases, empty files, the size limits and over-long paths.
#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/text_conversion.h"
#include "doc/ansi_code_page_win.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_load.h"
#include "doc/file_save.h"
#include "doc/file_size_limits.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::MainWindowTest;
using doc_test::ReadFileBytes;
using doc_test::ViewText;
using doc_test::WriteFileBytes;

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// Mixed line ends: the first one decides the mode, the others stay as they are.
constexpr char16_t kMixed[] = u"first line\r\nsecond \u00E9t\u00E9\nthird \U0001F600\rfourth\r\n";
constexpr char kMixedUtf8[] = "first line\r\nsecond \xC3\xA9t\xC3\xA9\nthird \xF0\x9F\x98\x80\rfourth\r\n";

struct Sample {
    const wchar_t* name;
    std::string bytes;
    FileEncoding encoding;
    LineEndMode lineEnd;
};

std::vector<Sample> Samples() {
    return {
        {L"ascii.c", "int main(void)\n{\r\n\treturn 0;\r}\n", FileEncoding::Ansi, LineEndMode::Lf},
        {L"ansi.txt", "caf\xE9 cr\xE8me\r\nna\xEFve\nend", FileEncoding::Ansi, LineEndMode::CrLf},
        {L"utf8.txt", kMixedUtf8, FileEncoding::Utf8, LineEndMode::CrLf},
        {L"utf8bom.txt", std::string("\xEF\xBB\xBF") + "\rcr first" + kMixedUtf8, FileEncoding::Utf8Bom,
         LineEndMode::Cr},
        {L"utf16le.txt", Utf16Bytes(kMixed, false), FileEncoding::Utf16LeBom, LineEndMode::CrLf},
        {L"utf16be.txt", Utf16Bytes(std::u16string(u"lf first\n") + kMixed, true), FileEncoding::Utf16BeBom,
         LineEndMode::Lf},
    };
}

// The ANSI sample needs a code page in which its accented bytes survive a round trip.
bool AnsiCodePageKeeps(const std::string& bytes) {
    const AnsiCodePage ansi = SystemAnsiCodePage();
    const std::optional<std::u16string> units = ansi.toUtf16(bytes);
    return units && ansi.fromUtf16(*units) == bytes;
}

class FileLoadSaveTest : public MainWindowTest {};

TEST_F(FileLoadSaveTest, EveryEncodingRoundTripsByteForByteWithMixedLineEnds) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(::testing::Message() << sample.bytes.size() << " bytes of sample " << static_cast<int>(sample.encoding));
        if (sample.encoding == FileEncoding::Ansi && !AnsiCodePageKeeps(sample.bytes)) {
            continue;
        }
        const std::wstring path = files_.File(sample.name);
        WriteFileBytes(path, sample.bytes);
        Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->encoding, sample.encoding);
        EXPECT_EQ(document->lineEnd, sample.lineEnd);
        EXPECT_FALSE(document->modified);

        const std::wstring copy = files_.File(std::wstring(L"copy of ") + sample.name);
        ASSERT_TRUE(SaveFile(*document, copy));
        EXPECT_EQ(ReadFileBytes(copy), sample.bytes);
        ASSERT_TRUE(SaveFile(*document, path));
        EXPECT_EQ(ReadFileBytes(path), sample.bytes);
    }
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FileLoadSaveTest, TheViewHoldsUtf8WhateverTheFileHolds) {
    for (bool bigEndian : {false, true}) {
        const std::wstring path = files_.File(bigEndian ? L"be.txt" : L"le.txt");
        WriteFileBytes(path, Utf16Bytes(kMixed, bigEndian));
        const Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(ViewText(*document), kMixedUtf8);
    }
    const std::string ansi = "na\xEFve";
    if (AnsiCodePageKeeps(ansi) && ::GetACP() == 1252) {
        WriteFileBytes(files_.File(L"ansi.txt"), ansi);
        const Document* document = OpenDocument(files_.File(L"ansi.txt"));
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(ViewText(*document), "na\xC3\xAFve");
    }
}

TEST_F(FileLoadSaveTest, EmptyFilesOpenWithNewFileEncodeAndSaveEmptyWithoutMark) {
    for (int value = 0; value <= 4; ++value) {
        App().settings.newFileEncode = value;
        const std::wstring path = files_.File(L"empty" + std::to_wstring(value) + L".txt");
        WriteFileBytes(path, "");
        Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(static_cast<int>(document->encoding), value);
        ASSERT_TRUE(SaveFile(*document, path));
        EXPECT_EQ(ReadFileBytes(path), "");
    }

    // A document emptied by the user writes no mark either.
    const std::wstring path = files_.File(L"emptied.txt");
    WriteFileBytes(path, Utf16Bytes(u"text", false));
    Document* document = OpenDocument(path);
    ASSERT_NE(document, nullptr);
    doc_test::ReplaceViewText(*document, "");
    ASSERT_TRUE(SaveFile(*document, path));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_EQ(document->encoding, FileEncoding::Utf16LeBom);
}

TEST_F(FileLoadSaveTest, DetectionOnRealFiles) {
    App().settings.newFileEncode = static_cast<int>(FileEncoding::Utf16LeBom);
    struct Case {
        const wchar_t* name;
        std::string bytes;
        FileEncoding encoding;
    };
    const Case cases[] = {
        {L"accents.txt", "Gr\xC3\xBC\xC3\x9F" "e\r\n", FileEncoding::Utf8},
        {L"one bad byte.txt", "Gr\xC3\xBC\xC3\x9F" "e\r\n" + std::string(5000, 'x') + "\xE9\r\n", FileEncoding::Ansi},
        {L"cut sequence.txt", "ends in the middle \xC3", FileEncoding::Ansi},
        {L"pure ascii.txt", "plain text\r\n", FileEncoding::Ansi},
        {L"Main.java", "class Main {}\n", FileEncoding::Utf8},
        {L"Empty.JAVA", "", FileEncoding::Utf8},
        {L"empty.txt", "", FileEncoding::Utf16LeBom},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(::testing::Message() << item.bytes.size() << " bytes");
        const std::wstring path = files_.File(item.name);
        WriteFileBytes(path, item.bytes);
        const Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->encoding, item.encoding);
        if (item.encoding == FileEncoding::Ansi && AnsiCodePageKeeps(item.bytes)) {
            Document* opened = Tabs()->At(Tabs()->FindByPath(path));
            ASSERT_TRUE(SaveFile(*opened, path));
            EXPECT_EQ(ReadFileBytes(path), item.bytes);  // an ANSI file comes back unchanged
        }
    }
}

// Files of several read parts: a CR LF and a UTF-8 sequence cut by the parts' edges, and a byte
// that is not UTF-8 only in the last part, after two parts went through as UTF-8.
TEST_F(FileLoadSaveTest, FilesOfSeveralReadPartsLoadWhole) {
    const std::string filler(kLoadPartSize - 1, 'x');
    struct Case {
        const wchar_t* name;
        std::string bytes;
        std::string text;  // what the view holds
        FileEncoding encoding;
        LineEndMode lineEnd;
    };
    const Case cases[] = {
        {L"cut crlf.txt", filler + "\r\n" + filler + "\xE2\x82\xAC\n", filler + "\r\n" + filler + "\xE2\x82\xAC\n",
         FileEncoding::Utf8, LineEndMode::CrLf},
        {L"late ansi.txt", filler + "\xC3\xA9\n" + filler + filler + "\xE9", "", FileEncoding::Ansi, LineEndMode::Lf},
        {L"marked.txt", "\xEF\xBB\xBF" + filler + "\r" + filler, filler + "\r" + filler, FileEncoding::Utf8Bom,
         LineEndMode::Cr},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(::testing::Message() << std::string(item.name, item.name + wcslen(item.name)));
        const std::wstring path = files_.File(item.name);
        WriteFileBytes(path, item.bytes);
        const Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->encoding, item.encoding);
        EXPECT_EQ(document->lineEnd, item.lineEnd);
        const std::string text = item.encoding == FileEncoding::Ansi
                                     ? Utf16ToUtf8(SystemAnsiCodePage().toUtf16(item.bytes).value_or(u""))
                                     : item.text;
        EXPECT_TRUE(ViewText(*document) == text);  // not printed: megabytes
        EXPECT_EQ(document->view->Call(SCI_CANUNDO), 0);
        EXPECT_EQ(document->view->Call(SCI_GETMODIFY), 0);
    }
}

TEST_F(FileLoadSaveTest, TextWithoutLineEndTakesTheModeOfTheSettings) {
    for (std::uint32_t mode : {1u, 2u, 0u}) {
        App().settings.config1 = SetBits(App().settings.config1, kC1NewLineModeShift, 2, mode);
        const std::wstring path = files_.File(L"one line " + std::to_wstring(mode) + L".txt");
        WriteFileBytes(path, "no line end");
        const Document* document = OpenDocument(path);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(static_cast<std::uint32_t>(document->lineEnd), mode);
        EXPECT_EQ(static_cast<std::uint32_t>(document->view->Call(SCI_GETEOLMODE)), mode);
    }
}

// The huge file's bytes are never written (a sparse file), so no 500 MB reach the disk.
TEST_F(FileLoadSaveTest, LargeFilesAreOpenedOnlyAfterTheUserAgreesAndHugeOnesAreRefused) {
    const std::wstring large = files_.File(L"large.log");
    std::string line(99, 'x');
    line += '\n';
    std::string lines;
    lines.reserve(kLargeFileSize + line.size());
    while (lines.size() <= kLargeFileSize) {
        lines += line;
    }
    WriteFileBytes(large, lines);
    messages_.Answer(IDCANCEL);
    EXPECT_EQ(OpenDocument(large), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_NE(messages_.Messages()[0].text.find(large), std::wstring::npos);
    EXPECT_EQ(Tabs()->Count(), 0);

    const std::wstring huge = files_.File(L"huge.log");
    doc_test::MakeSizedFile(huge, kMaximumFileSize + 1);
    messages_.Clear();
    messages_.Answer(IDOK);  // not asked: refused outright
    EXPECT_EQ(OpenDocument(huge), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_TRUE(messages_.Messages()[0].flags & MB_ICONERROR);
    EXPECT_NE(messages_.Messages()[0].text.find(huge), std::wstring::npos);
    EXPECT_EQ(Tabs()->Count(), 0);

    messages_.Clear();
    messages_.Answer(IDOK);
    const Document* document = OpenDocument(large);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->view->Call(SCI_GETLENGTH), static_cast<sptr_t>(lines.size()));
    EXPECT_EQ(messages_.Messages().size(), 1u);
}

TEST_F(FileLoadSaveTest, PathsOfMoreThan259CharactersAreRefusedWithTheReason) {
    const std::wstring longPath = files_.Path() + std::wstring(260 - files_.Path().size(), L'a') + L".txt";
    EXPECT_EQ(OpenDocument(longPath), nullptr);
    EXPECT_EQ(Tabs()->Count(), 0);
    const std::wstring text = OpenFailureText(longPath);
    EXPECT_EQ(text.rfind(L"Cannot open file: " + longPath, 0), 0u);
    EXPECT_NE(text.find(L"259"), std::wstring::npos);
    EXPECT_EQ(OpenFailureText(files_.File(L"missing.txt")), L"Cannot open file: " + files_.File(L"missing.txt"));

    const std::wstring path = files_.File(L"short.txt");
    WriteFileBytes(path, "text");
    Document* document = OpenDocument(path);
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(SaveFile(*document, longPath));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_NE(messages_.Messages()[0].text.find(L"259"), std::wstring::npos);
}

}  // namespace
}  // namespace kelpo
