// Find in Files without a window: walks a folder tree, reads each file, decodes it and lists every
// line holding the find text. The dialog's worker thread runs it and turns what it reports into
// result-pane lines and status text.
//
// Usage, on the worker thread:
//
//     FindRequest request{u"needle", L"C:\\src", L"*.c;*.h", /*matchCase*/ false, /*wholeWord*/ true,
//                         /*subfolders*/ true};
//     if (FindError error = CheckFindRequest(request, ansi); error != FindError::None) { ...refuse... }
//     WindowsFindDisk disk;                       // aids/find_disk_win.h
//     FindServices services{disk, SystemAnsiCodePage()};
//     MySink sink;                                 // Result: FormatResultLine(result, note) into the pane
//     FindTotals totals = FindInFiles(request, services, sink, stopFlag);
//     // then the summary line from totals and, when totals.cancelled, the cancelled line
//
// The sink is called on the thread that runs FindInFiles; stopFlag (a std::atomic<bool> that the
// pane's Stop command sets) is polled between lines and files.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "aids/find_disk.h"
#include "aids/find_result_line.h"
#include "doc/ansi_code_page.h"

namespace kelpo {

// The sizes the dialog and the job hold these texts in.
constexpr std::size_t kFindTextMaxLength = 256;    // UTF-16 units
constexpr std::size_t kFindPatternMaxBytes = 511;  // the find text in UTF-8 or the code page, plus a zero
constexpr std::size_t kFindFilterMaxLength = 259;  // a 260-unit buffer with its zero
constexpr std::size_t kFindFolderMaxLength = 259;

struct FindRequest {
    std::u16string text;
    std::wstring folder;
    std::wstring filter;  // ";"-separated wildcards; empty matches every file
    bool matchCase = false;
    bool wholeWord = false;
    bool subfolders = true;
};

enum class FindError {
    None,
    EmptyText,
    TextTooLong,     // more than kFindTextMaxLength units
    PatternTooLong,  // more than kFindPatternMaxBytes bytes in UTF-8 or in the code page
    FilterTooLong,
    NoFolder,
    FolderTooLong,
};

// Whether the request fits the sizes above; a request that does not is refused, never cut.
FindError CheckFindRequest(const FindRequest& request, const AnsiCodePage& ansi);

// An English description of the error, for programs without the interface text table.
const char* FindErrorDescription(FindError error);

struct FindTotals {
    std::uint64_t matchingLines = 0;    // result lines reported
    std::uint64_t filesWithMatches = 0;
    std::uint64_t filesSearched = 0;    // files read or tried, binary and unreadable ones included
    std::uint64_t bytesSearched = 0;
    bool cancelled = false;
};

class FindSink {
public:
    virtual ~FindSink() = default;
    // One matching line (the first accepted match of the line counts), in walk order and line order.
    virtual void Result(const FindResult& result) = 0;
    // The file about to be searched, at most once every kFindProgressInterval milliseconds.
    virtual void Progress(const std::wstring& path) = 0;
    // Once, at the end, also after a stop or a refused request.
    virtual void Finished(const FindTotals& totals) = 0;
};

constexpr std::int64_t kFindProgressInterval = 200;

struct FindServices {
    FindDisk& disk;
    AnsiCodePage ansi;  // the code page of files that are neither marked nor UTF-8
    // Milliseconds on a steady clock; left empty, std::chrono::steady_clock is used.
    std::function<std::int64_t()> clock;
};

// Runs the whole search on the calling thread. A request that CheckFindRequest refuses searches
// nothing. After a stop the totals count what was searched up to the line where it stopped.
FindTotals FindInFiles(const FindRequest& request, const FindServices& services, FindSink& sink,
                       const std::atomic<bool>& stop);

}  // namespace kelpo
