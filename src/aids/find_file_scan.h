// One file searched as it is read, a piece at a time: its byte-order mark, whether it is binary,
// whether it is UTF-8 or in the code page, and the first accepted match of every line with the
// line's true number. Lines of any length are searched whole.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aids/find_byte_scan.h"
#include "aids/find_disk.h"
#include "aids/find_pattern.h"
#include "aids/find_result_line.h"
#include "doc/ansi_code_page.h"

namespace kelpo {

struct FindPatterns {
    const FindPattern& utf8;    // for UTF-8 and UTF-16 files, and for unmarked files that are UTF-8
    const FindPattern* ansi;    // for files in the code page when it writes the text differently
    bool ansiSameAsUtf8;        // the text is ASCII (or the code page is UTF-8)
};

struct FoundLine {
    std::uint64_t number = 0;
    DisplayText text;
};

struct FileScanOutcome {
    std::vector<FoundLine> lines;  // in line order
    bool binaryMatch = false;      // a binary file that holds the find text
    std::uint64_t bytes = 0;       // bytes read
    bool stopped = false;          // the stop flag ended the search part way
};

class FileScanner {
public:
    // The patterns and the code page must outlive the scanner.
    FileScanner(FindPatterns patterns, const AnsiCodePage& ansi) : patterns_(patterns), ansi_(ansi) {}

    // Reads the file to its end, or until the stop flag is set, or until a binary file is known to
    // hold the find text. A line too long for memory ends the file's search with what was found.
    void Scan(FindFile& file, const std::atomic<bool>& stop, FileScanOutcome& outcome);

    // Bytes asked for with each read; the buffer stays near this size unless a line is longer.
    static constexpr std::size_t kReadSize = 128u * 1024u;

private:
    // Bytes at the front of a block that is kept from file to file; grows only for longer lines.
    class Buffer {
    public:
        const char* Data() const { return data_.get(); }
        std::size_t Size() const { return size_; }
        std::size_t Capacity() const { return capacity_; }
        char* Room(std::size_t wanted);
        void Commit(std::size_t count) { size_ += count; }
        void Consume(std::size_t count);
        void Clear() { size_ = 0; }

    private:
        std::unique_ptr<char[]> data_;
        std::size_t size_ = 0;
        std::size_t capacity_ = 0;
    };

    struct PendingLine {
        std::uint64_t number;
        LineExcerpt excerpt;
    };

    enum class Kind { Unmarked, Utf8, Utf16Le, Utf16Be };

    void Start(FindFile& file);
    void ReadMore(FindFile& file);
    void ConvertUtf16(bool final);
    bool SearchLines(bool final, const std::atomic<bool>& stop);
    bool SearchRegion(std::string_view region, const FindPattern& pattern, std::vector<PendingLine>& pending,
                      const std::atomic<bool>& stop);
    bool SearchBinary(FindFile& file, const std::atomic<bool>& stop);
    void Finish(FileScanOutcome& outcome);

    FindPatterns patterns_;
    const AnsiCodePage& ansi_;
    Buffer text_;     // UTF-8 or code-page text not searched yet: an unfinished line at most
    Buffer utf16_;    // UTF-16 bytes not converted yet
    TextCensus census_;
    Kind kind_ = Kind::Unmarked;
    bool atEnd_ = false;
    bool utf8Valid_ = true;   // an unmarked file is UTF-8 so far
    std::uint64_t bytesRead_ = 0;
    std::uint64_t nextLine_ = 1;  // the number of the line that text_ starts
    std::vector<PendingLine> utf8Lines_;
    std::vector<PendingLine> ansiLines_;
};

}  // namespace kelpo
