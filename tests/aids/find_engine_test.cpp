// Find in Files over an in-memory tree: matching rules, true line numbers, encodings, binary files,
// stopping and refused requests.
#include "aids/find_engine.h"

#include <gtest/gtest.h>

#include <atomic>

#include <string>
#include <vector>

#include "../doc/fake_ansi_code_page.h"
#include "base/text_conversion.h"
#include "memory_find_disk.h"

namespace kelpo {
namespace {

using testing_support::Latin1CodePage;
using testing_support::MemoryFindDisk;
using Lines = std::vector<std::string>;

class RecordingSink : public FindSink {
public:
    void Result(const FindResult& result) override {
        lines.push_back(Utf16ToUtf8(FormatResultLine(result, u"binary file")));
        shortened.push_back(result.shortened);
        if (stopAfter != 0 && lines.size() == stopAfter) stop = true;
    }
    void Progress(const std::wstring& path) override { progress.push_back(path); }
    void Finished(const FindTotals& totals) override {
        ++finishedCalls;
        finished = totals;
    }

    Lines lines;
    std::vector<bool> shortened;
    std::vector<std::wstring> progress;
    FindTotals finished;
    int finishedCalls = 0;
    std::size_t stopAfter = 0;
    std::atomic<bool> stop{false};
};

FindRequest Request(std::u16string text, bool matchCase = false, bool wholeWord = false) {
    return FindRequest{std::move(text), L"root", L"", matchCase, wholeWord, true};
}

FindTotals SearchTree(MemoryFindDisk& disk, const FindRequest& request, RecordingSink& sink) {
    FindServices services{disk, Latin1CodePage(), {}};
    return FindInFiles(request, services, sink, sink.stop);
}

// The lines found must not depend on how the reads split the file.
Lines FindInOneFile(const std::string& bytes, const FindRequest& request) {
    Lines found[4];
    const std::size_t readSizes[4] = {1u << 20, 1, 2, 7};
    for (int i = 0; i < 4; ++i) {
        MemoryFindDisk disk;
        disk.AddFile(L"root\\f.txt", bytes);
        disk.readSize = readSizes[i];
        RecordingSink sink;
        SearchTree(disk, request, sink);
        found[i] = sink.lines;
        EXPECT_EQ(found[i], found[0]) << "reads of " << readSizes[i] << " bytes";
    }
    return found[0];
}

std::string At(int line, const std::string& text) { return "root\\f.txt(" + std::to_string(line) + "): " + text; }

struct MatchRow {
    const char* what;
    std::string bytes;
    FindRequest request;
    Lines expected;
};

TEST(FindInFiles, ListsTheFirstAcceptedMatchOfEachLineWithItsTrueNumber) {
    const std::string before(508, 'x');  // the text straddles byte 511 of its line
    const MatchRow rows[] = {
        {"case ignored", "Hello World\nhello world\n", Request(u"HELLO"), {At(1, "Hello World"), At(2, "hello world")}},
        {"case kept", "Hello World\nhello world\n", Request(u"hello", true), {At(2, "hello world")}},
        {"whole word", "a cat.\ncat_\nconcat\ncat", Request(u"cat", false, true), {At(1, "a cat."), At(4, "cat")}},
        {"a later whole word on the line", "cats cat\n", Request(u"cat", false, true), {At(1, "cats cat")}},
        {"one line per matching line", "cat cat cat\ndog\ncat\n", Request(u"cat"),
         {At(1, "cat cat cat"), At(3, "cat")}},
        {"after a 1,000-byte line", std::string(1000, 'x') + "\nneedle\n", Request(u"needle"), {At(2, "needle")}},
        {"across the old 511-byte piece", before + "needle yy\nneedle", Request(u"needle"),
         {At(1, before + "needle yy"), At(2, "needle")}},
        {"CR LF, lone CR and empty lines", "a\r\nb\rc\n\r\nneedle\r\n", Request(u"needle"), {At(5, "needle")}},
        {"ASCII-only case folding", "GR\xC3\x9C\xC3\x9F" "E\nGR\xC3\xBC\xC3\x9F" "E\n", Request(u"gr\u00FC\u00DFe"),
         {At(2, "GR\xC3\xBC\xC3\x9F" "E")}},
        {"no match", "nothing here\n", Request(u"needle"), {}},
    };
    for (const MatchRow& row : rows) EXPECT_EQ(FindInOneFile(row.bytes, row.request), row.expected) << row.what;
}

TEST(FindInFiles, EachEncodingIsSearchedAndShownInItsOwnCharacters) {
    struct EncodingRow {
        const char* what;
        std::string bytes;
    };
    const std::string line = "x Gr\xC3\xBC\xC3\x9F" "e y";  // UTF-8
    const EncodingRow rows[] = {
        {"UTF-8", "first\n" + line + "\n"},
        {"UTF-8 with mark", "\xEF\xBB\xBF" "first\r\n" + line},
        {"UTF-16 LE with mark", "\xFF\xFE" + Utf8ToUtf16Bytes("first\r\n" + line, ByteOrder::LittleEndian)},
        {"UTF-16 BE with mark", "\xFE\xFF" + Utf8ToUtf16Bytes("first\n" + line + "\n", ByteOrder::BigEndian)},
        {"ANSI", "first\n" "x Gr\xFC\xDF" "e y\n"},
    };
    for (const EncodingRow& row : rows) {
        EXPECT_EQ(FindInOneFile(row.bytes, Request(u"gr\u00FC\u00DF" "E")), Lines{At(2, line)}) << row.what;
        EXPECT_EQ(FindInOneFile(row.bytes, Request(u"y")), Lines{At(2, line)}) << row.what;
    }
}

TEST(FindInFiles, ABinaryFileGivesOneLineNamingIt) {
    for (std::size_t readSize : {std::size_t{1} << 20, std::size_t{3}}) {
        MemoryFindDisk disk;
        disk.readSize = readSize;
        disk.AddFile(L"root\\a.bin", std::string("needle\nabc\0zz\nneedle again\n", 27));
        disk.AddFile(L"root\\b.bin", std::string("abc\0zz\n", 7));
        disk.AddFile(L"root\\c.bin", std::string("zz\0needles needle", 17));
        RecordingSink sink;
        const FindTotals totals = SearchTree(disk, Request(u"needle", false, true), sink);
        EXPECT_EQ(sink.lines, (Lines{"root\\a.bin: binary file", "root\\c.bin: binary file"})) << readSize;
        EXPECT_EQ(totals.matchingLines, 2u);
        EXPECT_EQ(totals.filesWithMatches, 2u);
        EXPECT_EQ(totals.filesSearched, 3u);
    }
}

TEST(FindInFiles, AVeryLongLineIsShortenedForDisplayOnly) {
    const std::string longLine = std::string(5000, 'a') + "needle" + std::string(5000, 'b');
    MemoryFindDisk disk;
    disk.AddFile(L"root\\f.txt", "short\n" + longLine + "\n");
    RecordingSink sink;
    SearchTree(disk, Request(u"needle"), sink);
    const std::string ellipsis = "\xE2\x80\xA6";
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], At(2, ellipsis + std::string(kResultContextBefore, 'a') + "needle" +
                                       std::string(kResultTextLimit - kResultContextBefore - 6, 'b') + ellipsis));
    EXPECT_TRUE(sink.shortened[0]);
}

TEST(FindInFiles, StoppingEndsAfterTheCurrentLineAndStillGivesTheTotals) {
    MemoryFindDisk disk;
    for (const wchar_t* path : {L"root\\1.txt", L"root\\2.txt", L"root\\3.txt"}) disk.AddFile(path, "cat\ncat\ncat\n");
    disk.readSize = 4;  // a line a read
    RecordingSink sink;
    int reads = 0;
    disk.onRead = [&] {
        if (++reads == 2) sink.stop = true;  // the Stop button, while the second line comes in
    };
    const FindTotals totals = SearchTree(disk, Request(u"cat"), sink);
    EXPECT_EQ(sink.lines, Lines{"root\\1.txt(1): cat"});
    EXPECT_TRUE(totals.cancelled);
    EXPECT_EQ(totals.matchingLines, 1u);
    EXPECT_EQ(totals.filesWithMatches, 1u);
    EXPECT_EQ(totals.filesSearched, 1u);
    EXPECT_EQ(sink.finishedCalls, 1);
    EXPECT_EQ(sink.finished.matchingLines, 1u);
    EXPECT_TRUE(sink.finished.cancelled);
}

TEST(FindInFiles, ProgressComesAtMostEvery200Milliseconds) {
    MemoryFindDisk disk;
    for (const wchar_t* path : {L"root\\1", L"root\\2", L"root\\3", L"root\\4", L"root\\5"}) disk.AddFile(path, "");
    std::int64_t now = 0;
    FindServices services{disk, Latin1CodePage(), [&now] { return now += 100; }};
    RecordingSink sink;
    FindInFiles(Request(u"x"), services, sink, sink.stop);
    EXPECT_EQ(sink.progress, (std::vector<std::wstring>{L"root\\2", L"root\\4"}));
}

TEST(FindInFiles, RequestsThatDoNotFitAreRefusedAndSearchNothing) {
    struct RefusedRow {
        FindRequest request;
        FindError error;
    };
    const RefusedRow rows[] = {
        {Request(u""), FindError::EmptyText},
        {Request(std::u16string(257, u'a')), FindError::TextTooLong},
        {Request(std::u16string(171, u'\u20AC')), FindError::PatternTooLong},  // 513 bytes of UTF-8
        {FindRequest{u"a", L"root", std::wstring(260, L'x'), false, false, true}, FindError::FilterTooLong},
        {FindRequest{u"a", L"", L"", false, false, true}, FindError::NoFolder},
        {FindRequest{u"a", std::wstring(260, L'x'), L"", false, false, true}, FindError::FolderTooLong},
    };
    for (const RefusedRow& row : rows) {
        EXPECT_EQ(CheckFindRequest(row.request, Latin1CodePage()), row.error) << FindErrorDescription(row.error);
        MemoryFindDisk disk;
        disk.AddFile(L"root\\f.txt", "a");
        RecordingSink sink;
        SearchTree(disk, row.request, sink);
        EXPECT_TRUE(disk.opened.empty());
        EXPECT_EQ(sink.finishedCalls, 1);
    }
    EXPECT_EQ(CheckFindRequest(Request(std::u16string(256, u'\u00E9')), Latin1CodePage()), FindError::PatternTooLong);
    EXPECT_EQ(CheckFindRequest(Request(std::u16string(170, u'\u20AC')), Latin1CodePage()), FindError::None);
    EXPECT_EQ(CheckFindRequest(Request(std::u16string(256, u'a')), Latin1CodePage()), FindError::None);
}

}  // namespace
}  // namespace kelpo
