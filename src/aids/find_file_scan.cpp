// Text is searched in regions of whole lines as it arrives; what a region's lines mean (UTF-8 or the
// code page, text or binary) is settled when the file ends, so matches wait in excerpts until then.
#include "aids/find_file_scan.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "aids/find_line_matcher.h"
#include "base/text_conversion.h"
#include "doc/utf8_validator.h"

namespace kelpo {
namespace {

// A buffer that grew for a very long line is given back when the next file starts.
constexpr std::size_t kBufferKeptBytes = 8 * FileScanner::kReadSize;

bool IsHighSurrogateUnit(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

char* FileScanner::Buffer::Room(std::size_t wanted) {
    if (capacity_ - size_ < wanted) {
        const std::size_t capacity = std::max(capacity_ * 2, size_ + wanted);
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }
    return data_.get() + size_;
}

void FileScanner::Buffer::Consume(std::size_t count) {
    if (count < size_) std::memmove(data_.get(), data_.get() + count, size_ - count);
    size_ -= std::min(count, size_);
}

void FileScanner::Scan(FindFile& file, const std::atomic<bool>& stop, FileScanOutcome& outcome) {
    outcome.lines.clear();
    outcome.binaryMatch = false;
    outcome.stopped = false;
    try {
        Start(file);
        for (;;) {
            if (kind_ == Kind::Unmarked && census_.SawZero()) {
                outcome.binaryMatch = SearchBinary(file, stop);
                break;
            }
            if (!SearchLines(atEnd_, stop)) break;
            if (atEnd_ || stop.load(std::memory_order_relaxed)) break;
            ReadMore(file);
        }
    } catch (const std::bad_alloc&) {
        // A line longer than memory allows: what was found before it still counts.
    }
    outcome.stopped = stop.load(std::memory_order_relaxed);
    Finish(outcome);
}

void FileScanner::Start(FindFile& file) {
    if (text_.Capacity() > kBufferKeptBytes) text_ = Buffer();
    text_.Clear();
    utf16_.Clear();
    census_ = TextCensus();
    kind_ = Kind::Unmarked;
    atEnd_ = false;
    utf8Valid_ = true;
    bytesRead_ = 0;
    nextLine_ = 1;
    utf8Lines_.clear();
    ansiLines_.clear();

    // The first bytes say how the rest is read.
    while (!atEnd_ && text_.Size() < 3) {
        char* room = text_.Room(kReadSize);
        const std::ptrdiff_t count = file.Read(room, kReadSize);
        if (count <= 0) {
            atEnd_ = true;
        } else {
            text_.Commit(static_cast<std::size_t>(count));
            bytesRead_ += static_cast<std::uint64_t>(count);
        }
    }
    const std::string_view head(text_.Data(), text_.Size());
    if (head.starts_with("\xEF\xBB\xBF")) {
        kind_ = Kind::Utf8;
        text_.Consume(3);
    } else if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
        kind_ = head[0] == '\xFF' ? Kind::Utf16Le : Kind::Utf16Be;
        char* room = utf16_.Room(head.size() - 2);
        std::memcpy(room, head.data() + 2, head.size() - 2);
        utf16_.Commit(head.size() - 2);
        text_.Clear();
        ConvertUtf16(atEnd_);
        return;
    }
    census_.Add(text_.Data(), text_.Data() + text_.Size());
}

void FileScanner::ReadMore(FindFile& file) {
    const bool utf16 = kind_ == Kind::Utf16Le || kind_ == Kind::Utf16Be;
    Buffer& target = utf16 ? utf16_ : text_;
    char* room = target.Room(kReadSize);
    const std::ptrdiff_t count = file.Read(room, kReadSize);
    if (count <= 0) {
        atEnd_ = true;  // a failed read ends the file like its end does
    } else {
        target.Commit(static_cast<std::size_t>(count));
        bytesRead_ += static_cast<std::uint64_t>(count);
        if (!utf16) census_.Add(room, room + count);
    }
    if (utf16) ConvertUtf16(atEnd_);
}

// Whole code units only, and a high surrogate waits for its partner unless the file has ended.
void FileScanner::ConvertUtf16(bool final) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf16_.Data());
    std::size_t length = final ? utf16_.Size() : utf16_.Size() / 2 * 2;
    if (!final && length >= 2) {
        const bool little = kind_ == Kind::Utf16Le;
        const unsigned last = little ? bytes[length - 2] | (bytes[length - 1] << 8)
                                     : (bytes[length - 2] << 8) | bytes[length - 1];
        if (IsHighSurrogateUnit(last)) length -= 2;
    }
    if (length == 0) return;
    const std::string utf8 = Utf16BytesToUtf8(std::string_view(utf16_.Data(), length),
                                              kind_ == Kind::Utf16Le ? ByteOrder::LittleEndian : ByteOrder::BigEndian);
    utf16_.Consume(length);
    char* room = text_.Room(utf8.size());
    std::memcpy(room, utf8.data(), utf8.size());
    text_.Commit(utf8.size());
    census_.Add(room, room + utf8.size());
}

// Searches the whole lines at the front of text_ (all of it when final) and drops them. False when
// the stop flag ended it.
bool FileScanner::SearchLines(bool final, const std::atomic<bool>& stop) {
    const char* begin = text_.Data();
    const char* end = begin + text_.Size();
    const char* regionEnd = end;
    if (!final) {
        regionEnd = LineStartBefore(begin, end);
        if (regionEnd == end && regionEnd > begin && end[-1] == '\r') --regionEnd;  // its LF may follow
        if (regionEnd == begin) return true;  // no whole line yet
    }
    const std::string_view region(begin, static_cast<std::size_t>(regionEnd - begin));
    if (kind_ == Kind::Unmarked && utf8Valid_ && census_.SawHighByte()) utf8Valid_ = IsWellFormedUtf8(region);
    const bool unmarked = kind_ == Kind::Unmarked;
    const bool searchUtf8 = !unmarked || patterns_.ansiSameAsUtf8 || utf8Valid_;
    const bool searchAnsi = unmarked && !patterns_.ansiSameAsUtf8 && patterns_.ansi != nullptr;
    bool going = true;
    if (searchUtf8) going = SearchRegion(region, patterns_.utf8, utf8Lines_, stop);
    if (going && searchAnsi) going = SearchRegion(region, *patterns_.ansi, ansiLines_, stop);
    // What is left holds no line end the census counted (a CR held back is not counted yet).
    nextLine_ = 1 + census_.LineEnds();
    text_.Consume(region.size());
    return going;
}

bool FileScanner::SearchRegion(std::string_view region, const FindPattern& pattern, std::vector<PendingLine>& pending,
                               const std::atomic<bool>& stop) {
    LineMatcher matcher(pattern, region, nextLine_);
    while (!matcher.AtEnd()) {
        if (stop.load(std::memory_order_relaxed)) return false;
        if (const std::optional<MatchingLine> line = matcher.Next()) {
            pending.push_back(PendingLine{line->number, ExcerptOfLine(line->text, line->matchOffset)});
        }
    }
    return true;
}

// Whether the find text stands anywhere in a binary file, read on without lines; the bytes kept
// between reads let a match straddle them and let the whole-word rule see both neighbours.
bool FileScanner::SearchBinary(FindFile& file, const std::atomic<bool>& stop) {
    bool found = !utf8Lines_.empty() || !ansiLines_.empty();
    utf8Lines_.clear();
    ansiLines_.clear();
    const FindPattern* patterns[2] = {&patterns_.utf8, patterns_.ansiSameAsUtf8 ? nullptr : patterns_.ansi};
    std::size_t next[2] = {0, 0};  // the first start not yet tried, per pattern
    while (!found) {
        const char* begin = text_.Data();
        const std::size_t size = text_.Size();
        std::size_t keepFrom = size;
        for (int i = 0; i < 2; ++i) {
            if (patterns[i] == nullptr) continue;
            const std::size_t length = patterns[i]->Length();
            // Until the end, a start is tried only once the byte after the match has arrived.
            const std::size_t limit = atEnd_ ? size : (size > length ? size - length : 0);
            if (next[i] < limit && patterns[i]->Find(begin, begin + next[i], begin + limit, begin + size) != nullptr) {
                found = true;
            }
            next[i] = std::max(next[i], limit);
            keepFrom = std::min(keepFrom, next[i]);
        }
        if (found || atEnd_ || stop.load(std::memory_order_relaxed)) break;
        const std::size_t drop = keepFrom > 0 ? keepFrom - 1 : 0;
        text_.Consume(drop);
        for (std::size_t& n : next) n -= std::min(n, drop);
        ReadMore(file);
    }
    return found;
}

void FileScanner::Finish(FileScanOutcome& outcome) {
    const bool unmarked = kind_ == Kind::Unmarked;
    const bool utf8 = !unmarked || utf8Valid_;
    const std::vector<PendingLine>& pending =
        unmarked && !patterns_.ansiSameAsUtf8 && !utf8Valid_ ? ansiLines_ : utf8Lines_;
    outcome.lines.reserve(pending.size());
    for (const PendingLine& line : pending) {
        outcome.lines.push_back(FoundLine{line.number, DecodeExcerpt(line.excerpt, utf8, ansi_)});
    }
    outcome.bytes = bytesRead_;
}

}  // namespace kelpo
