// Find in Files: the walk, one file scan per file, and what the sink hears of it.
#include "aids/find_engine.h"

#include <chrono>
#include <memory>
#include <optional>

#include "aids/find_file_scan.h"
#include "aids/find_file_walk.h"
#include "aids/find_pattern.h"
#include "base/text_conversion.h"

namespace kelpo {
namespace {

std::int64_t SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

class FileSearch {
public:
    FileSearch(const FindRequest& request, const FindServices& services, FindSink& sink,
               const std::atomic<bool>& stop, FindTotals& totals)
        : services_(services), sink_(sink), stop_(stop), totals_(totals),
          clock_(services.clock ? services.clock : std::function<std::int64_t()>(SteadyMilliseconds)),
          lastProgress_(clock_()), utf8Text_(Utf16ToUtf8(request.text)),
          utf8Pattern_(utf8Text_, request.matchCase, request.wholeWord) {
        if (IsAscii(utf8Text_)) {
            ansiSameAsUtf8_ = true;
        } else if (services.ansi.fromUtf16) {
            // A find text the code page cannot hold cannot stand in a file written in it.
            if (std::optional<std::string> ansi = services.ansi.fromUtf16(request.text)) {
                ansiSameAsUtf8_ = *ansi == utf8Text_;
                if (!ansiSameAsUtf8_) ansiPattern_.emplace(*ansi, request.matchCase, request.wholeWord);
            }
        }
        scanner_.emplace(FindPatterns{utf8Pattern_, ansiPattern_ ? &*ansiPattern_ : nullptr, ansiSameAsUtf8_},
                         services_.ansi);
    }

    // False ends the walk.
    bool File(const std::wstring& path) {
        if (Stopped()) return false;
        ReportProgress(path);
        ++totals_.filesSearched;
        const std::unique_ptr<FindFile> file = services_.disk.OpenFile(path);
        if (!file) return true;
        scanner_->Scan(*file, stop_, outcome_);
        totals_.bytesSearched += outcome_.bytes;
        for (FoundLine& line : outcome_.lines) {
            Report(FindResult{path, line.number, std::move(line.text.text), line.text.shortened, false});
        }
        if (outcome_.binaryMatch) Report(FindResult{path, 0, {}, false, true});
        if (!outcome_.lines.empty() || outcome_.binaryMatch) ++totals_.filesWithMatches;
        return !Stopped();
    }

private:
    bool Stopped() {
        if (!stop_.load(std::memory_order_relaxed)) return false;
        totals_.cancelled = true;
        return true;
    }

    void ReportProgress(const std::wstring& path) {
        const std::int64_t now = clock_();
        if (now - lastProgress_ < kFindProgressInterval) return;
        lastProgress_ = now;
        sink_.Progress(path);
    }

    void Report(const FindResult& result) {
        ++totals_.matchingLines;
        sink_.Result(result);
    }

    const FindServices& services_;
    FindSink& sink_;
    const std::atomic<bool>& stop_;
    FindTotals& totals_;
    std::function<std::int64_t()> clock_;
    std::int64_t lastProgress_;
    std::string utf8Text_;
    FindPattern utf8Pattern_;
    std::optional<FindPattern> ansiPattern_;  // when the code page writes the text differently
    bool ansiSameAsUtf8_ = false;
    std::optional<FileScanner> scanner_;
    FileScanOutcome outcome_;
};

}  // namespace

FindError CheckFindRequest(const FindRequest& request, const AnsiCodePage& ansi) {
    if (request.text.empty()) return FindError::EmptyText;
    if (request.text.size() > kFindTextMaxLength) return FindError::TextTooLong;
    if (Utf16ToUtf8(request.text).size() > kFindPatternMaxBytes) return FindError::PatternTooLong;
    if (ansi.fromUtf16) {
        const std::optional<std::string> inCodePage = ansi.fromUtf16(request.text);
        if (inCodePage && inCodePage->size() > kFindPatternMaxBytes) return FindError::PatternTooLong;
    }
    if (request.filter.size() > kFindFilterMaxLength) return FindError::FilterTooLong;
    if (request.folder.empty()) return FindError::NoFolder;
    if (request.folder.size() > kFindFolderMaxLength) return FindError::FolderTooLong;
    return FindError::None;
}

const char* FindErrorDescription(FindError error) {
    switch (error) {
    case FindError::None: return "no error";
    case FindError::EmptyText: return "the find text is empty";
    case FindError::TextTooLong: return "the find text is longer than 256 characters";
    case FindError::PatternTooLong: return "the find text takes more than 511 bytes in the file encodings";
    case FindError::FilterTooLong: return "the file filter is longer than 259 characters";
    case FindError::NoFolder: return "no folder to search";
    case FindError::FolderTooLong: return "the folder path is longer than 259 characters";
    }
    return "unknown error";
}

FindTotals FindInFiles(const FindRequest& request, const FindServices& services, FindSink& sink,
                       const std::atomic<bool>& stop) {
    FindTotals totals;
    if (CheckFindRequest(request, services.ansi) == FindError::None) {
        FileSearch search(request, services, sink, stop, totals);
        WalkFolder(services.disk, request.folder, std::wstring_view(request.filter), request.subfolders,
                   [&search](const FolderEntry&, const std::wstring& path) { return search.File(path); });
    }
    sink.Finished(totals);
    return totals;
}

}  // namespace kelpo
