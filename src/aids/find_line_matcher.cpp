// Line numbers are counted only up to each matching line, so a file without a match costs one pass
// of the pattern search and nothing else.
#include "aids/find_line_matcher.h"

#include <algorithm>

#include "aids/find_byte_scan.h"

namespace kelpo {

std::optional<MatchingLine> LineMatcher::Next() {
    if (AtEnd()) return std::nullopt;
    const char* begin = text_.data();
    const char* end = begin + text_.size();
    const std::size_t stretchEnd = position_ + std::min(kStretchBytes, text_.size() - position_);
    const char* match = pattern_.Find(begin, begin + position_, begin + stretchEnd, end);
    if (match == nullptr) {
        position_ = stretchEnd;
        return std::nullopt;
    }
    const char* lineStart = LineStartBefore(begin + countedUpTo_, match);
    lineNumber_ += CountLineEnds(begin + countedUpTo_, lineStart, end);
    countedUpTo_ = static_cast<std::size_t>(lineStart - begin);
    const char* lineEnd = FindLineEnd(match + pattern_.Length(), end);
    position_ = static_cast<std::size_t>(lineEnd - begin);
    const auto lineLength = static_cast<std::size_t>(lineEnd - lineStart);
    return MatchingLine{lineNumber_, std::string_view(lineStart, lineLength),
                        static_cast<std::size_t>(match - lineStart)};
}

}  // namespace kelpo
