// Decoding a file while it is read, for the files whose bytes reach the editor as they are
// (ASCII, UTF-8, UTF-8 with mark): no whole copy of the file is ever held.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "doc/file_codec.h"
#include "doc/utf8_validator.h"

namespace kelpo {

struct StreamedFile {
    FileEncoding encoding = FileEncoding::Ansi;
    LineEndMode lineEnd = LineEndMode::CrLf;
};

// Gives the same encoding, line-end mode and text as DecodeFileBytes over the whole file, or
// says that the file needs the whole-file conversion (a UTF-16 mark, bytes that are not UTF-8).
class StreamingDecode {
public:
    using Sink = std::function<void(std::string_view)>;

    explicit StreamingDecode(const LoadOptions& options) : options_(options) {}

    // Hands the editor's text of the next bytes to the sink; false once the file is known to
    // need the whole-file conversion, after which what the sink received is to be dropped.
    bool Feed(std::string_view bytes, const Sink& sink);
    // After the last bytes; nothing when the file needs the whole-file conversion after all.
    std::optional<StreamedFile> Finish(const Sink& sink);

private:
    enum class Mode { Undecided, Marked, Scanned, Whole };

    void Decide(const Sink& sink);
    void Pass(std::string_view text, const Sink& sink);
    void TrackLineEnd(std::string_view text);

    LoadOptions options_;
    Mode mode_ = Mode::Undecided;
    std::string head_;  // the first bytes, held until a byte-order mark can be told
    Utf8Scanner scanner_;
    std::size_t fileSize_ = 0;
    std::optional<LineEndMode> lineEnd_;
    bool lineEndSettled_ = false;  // found, or a zero byte ended the search
    bool pendingCr_ = false;       // the text so far ends in the first CR
};

}  // namespace kelpo
