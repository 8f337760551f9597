// Snapshot files read back exactly what was written, and every damaged or foreign file is
// refused rather than half read.
#include <gtest/gtest.h>

#include "doc/snapshot_record.h"

namespace kelpo {
namespace {

std::string Encode(const SnapshotHeader& header, const std::string& text) {
    return EncodeSnapshotHeader(header, text.size()) + text;
}

SnapshotHeader FileHeader() {
    SnapshotHeader header;
    header.name = "C:\\src\\\xC3\xA9t\xC3\xA9.c";  // "C:\src\été.c"
    header.encoding = FileEncoding::Utf16LeBom;
    header.lineEnd = LineEndMode::Lf;
    header.caret = 3;
    header.anchor = 1;
    return header;
}

TEST(SnapshotRecord, ReadsBackWhatWasWritten) {
    SnapshotHeader untitled;
    untitled.untitled = true;
    untitled.name = "Untitled 4";
    const struct {
        SnapshotHeader header;
        std::string text;
    } cases[] = {
        {FileHeader(), "int\r\nx;\n"},
        {untitled, ""},
        // Text that looks like a header, blank lines and zero bytes are text like any other.
        {untitled, std::string("\n\nKelpoSnapshot 1\nlength=2\n\0\xFF", 28)},
    };
    for (const auto& c : cases) {
        const std::optional<SnapshotRecord> read = DecodeSnapshot(Encode(c.header, c.text));
        ASSERT_TRUE(read.has_value()) << c.header.name;
        EXPECT_EQ(read->text, c.text);
        EXPECT_EQ(read->header.untitled, c.header.untitled);
        EXPECT_EQ(read->header.name, c.header.name);
        EXPECT_EQ(read->header.encoding, c.header.encoding);
        EXPECT_EQ(read->header.lineEnd, c.header.lineEnd);
        EXPECT_EQ(read->header.caret, c.header.caret);
        EXPECT_EQ(read->header.anchor, c.header.anchor);
    }
}

TEST(SnapshotRecord, NamesThatCannotBeReadBackAreNotWritten) {
    for (const char* name : {"", "a\nb", "a\rb"}) {
        SnapshotHeader header;
        header.name = name;
        EXPECT_EQ(EncodeSnapshotHeader(header, 0), "") << name;
    }
}

TEST(SnapshotRecord, RefusesDamagedAndForeignFiles) {
    const std::string good = Encode(FileHeader(), "abcdef");
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut in the header", good.substr(0, 40)},
        {"cut in the text", good.substr(0, good.size() - 1)},
        {"grown", good + "x"},
        {"other tag", replaced("KelpoSnapshot", "KelpoSnapshoT")},
        {"later version", replaced("KelpoSnapshot 1", "KelpoSnapshot 2")},
        {"unknown kind", replaced("kind=file", "kind=link")},
        {"empty name", replaced("name=C:\\src\\\xC3\xA9t\xC3\xA9.c", "name=")},
        {"fields out of order", replaced("encoding=3\nlineend=2", "lineend=2\nencoding=3")},
        {"missing field", replaced("anchor=1\n", "")},
        {"unknown encoding", replaced("encoding=3", "encoding=5")},
        {"unknown line end", replaced("lineend=2", "lineend=3")},
        {"negative caret", replaced("caret=3", "caret=-3")},
        {"caret past the text", replaced("caret=3", "caret=7")},
        {"anchor past the text", replaced("anchor=1", "anchor=99")},
        {"length not a number", replaced("length=6", "length=6x")},
        {"huge length", replaced("length=6", "length=99999999999999999999")},
        {"length with sign", replaced("length=6", "length=+6")},
        {"no blank line", replaced("length=6\n\n", "length=6\n")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodeSnapshot(c.bytes).has_value()) << c.what;
    }
}

TEST(SnapshotRecord, NamesRunsAndSnapshotFiles) {
    const std::wstring run = RunName(4242, 0x01DA2B3C4D5E6F70ull);
    EXPECT_EQ(run, L"run-4242-01da2b3c4d5e6f70");
    EXPECT_EQ(RunOfLockName(run + L".lock"), run);
    EXPECT_NE(RunName(4242, 1), RunName(4242, 2));
    for (const wchar_t* name : {L"run-4242-01da2b3c4d5e6f70", L"run-4242-01da2b3c4d5e6f7.lock",
                                L"run--01da2b3c4d5e6f70.lock", L"run-x-01da2b3c4d5e6f70.lock", L"damaged.lock",
                                L"run-1-01DA2B3C4D5E6F70.lock"}) {
        EXPECT_FALSE(RunOfLockName(name).has_value()) << name;
    }
    EXPECT_EQ(SnapshotFileName(7), L"7.snapshot");
    EXPECT_TRUE(IsSnapshotFileName(SnapshotFileName(123)));
    for (const wchar_t* name : {L".snapshot", L"7.snapshot.tmp", L"~kelpo12.tmp", L"a7.snapshot"}) {
        EXPECT_FALSE(IsSnapshotFileName(name)) << name;
    }
}

}  // namespace
}  // namespace kelpo
