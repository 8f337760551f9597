// Walks a text from matching line to matching line: the first accepted match of each line, with the
// line's true 1-based number however long the lines are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "aids/find_pattern.h"

namespace kelpo {

struct MatchingLine {
    std::uint64_t number = 0;  // 1-based, lines ended by LF, CR LF or a lone CR
    std::string_view text;     // without its line end
    std::size_t matchOffset = 0;  // where the first accepted match starts in text
};

class LineMatcher {
public:
    // The pattern and the text must outlive the matcher. The text starts a line, numbered firstLine.
    LineMatcher(const FindPattern& pattern, std::string_view text, std::uint64_t firstLine = 1)
        : pattern_(pattern), text_(text), lineNumber_(firstLine) {}

    // The next matching line within the next stretch of the text; nothing when that stretch has
    // none. Each call looks at a bounded stretch, so that a caller can poll a stop flag in between.
    std::optional<MatchingLine> Next();
    bool AtEnd() const { return position_ >= text_.size(); }

    static constexpr std::size_t kStretchBytes = 1u << 20;

private:
    const FindPattern& pattern_;
    std::string_view text_;
    std::size_t position_ = 0;      // where the search goes on
    std::size_t countedUpTo_ = 0;   // line ends before here are in lineNumber_
    std::uint64_t lineNumber_;
};

}  // namespace kelpo
