// The streamed decode: the first three bytes decide about a byte-order mark, then every part is
// passed on as it comes while the UTF-8 scan and the line-end search run over it.
#include "doc/file_codec_stream.h"

#include <algorithm>

namespace kelpo {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestMark = 3;

bool HasUtf16Mark(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 2);
    return start == "\xFE\xFF" || start == "\xFF\xFE";
}

}  // namespace

bool StreamingDecode::Feed(std::string_view bytes, const Sink& sink) {
    fileSize_ += bytes.size();
    if (mode_ == Mode::Undecided) {
        const std::size_t taken = std::min(bytes.size(), kLongestMark - head_.size());
        head_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (head_.size() < kLongestMark) {
            return true;
        }
        Decide(sink);
    }
    Pass(bytes, sink);
    return mode_ != Mode::Whole;
}

std::optional<StreamedFile> StreamingDecode::Finish(const Sink& sink) {
    if (mode_ == Mode::Undecided) {
        Decide(sink);  // a file of fewer bytes than the longest mark
    }
    if (mode_ == Mode::Whole) {
        return std::nullopt;
    }
    StreamedFile file;
    file.lineEnd = pendingCr_ ? LineEndMode::Cr : lineEnd_.value_or(options_.defaultLineEnd);
    if (fileSize_ == 0) {
        file.encoding = options_.javaFile ? FileEncoding::Utf8 : options_.newFileEncoding;
        return file;
    }
    if (mode_ == Mode::Marked) {
        file.encoding = FileEncoding::Utf8Bom;
        return file;
    }
    const Utf8Scan scan = scanner_.Result();
    if (scan.utf16Length != scan.firstZero) {
        file.encoding = FileEncoding::Utf8;
        return file;
    }
    // No multi-byte sequence: ANSI, which needs no conversion only when every byte is ASCII.
    if (scan.utf16Length != fileSize_) {
        return std::nullopt;
    }
    file.encoding = options_.javaFile ? FileEncoding::Utf8 : FileEncoding::Ansi;
    return file;
}

void StreamingDecode::Decide(const Sink& sink) {
    const std::string head = std::move(head_);
    if (head.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        mode_ = Mode::Marked;
        Pass(std::string_view(head).substr(kUtf8Mark.size()), sink);
    } else if (HasUtf16Mark(head)) {
        mode_ = Mode::Whole;
    } else {
        mode_ = Mode::Scanned;
        Pass(head, sink);
    }
}

void StreamingDecode::Pass(std::string_view text, const Sink& sink) {
    if (mode_ == Mode::Scanned) {
        scanner_.Feed(text);
        if (scanner_.Rejected()) {
            mode_ = Mode::Whole;
        }
    }
    if (mode_ == Mode::Whole || text.empty()) {
        return;
    }
    TrackLineEnd(text);
    sink(text);
}

// DetectLineEnd, carried across parts: a CR at the end of one part waits for the next.
void StreamingDecode::TrackLineEnd(std::string_view text) {
    for (std::size_t i = 0; i < text.size() && !lineEndSettled_; ++i) {
        const char c = text[i];
        if (pendingCr_) {
            lineEnd_ = c == '\n' ? LineEndMode::CrLf : LineEndMode::Cr;
            pendingCr_ = false;
            lineEndSettled_ = true;
        } else if (c == '\0') {
            lineEndSettled_ = true;
        } else if (c == '\n') {
            lineEnd_ = LineEndMode::Lf;
            lineEndSettled_ = true;
        } else if (c == '\r') {
            pendingCr_ = true;
        }
    }
}

}  // namespace kelpo
