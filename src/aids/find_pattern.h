// The find text as bytes of one encoding, and where it occurs in raw text: ASCII capitals folded when
// case is ignored, and the whole-word rule (no ASCII letter, digit or "_" on either side).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelpo {

class FindPattern {
public:
    FindPattern(std::string_view bytes, bool matchCase, bool wholeWord);

    // The first accepted match that starts in [from, startLimit), or nullptr. It may run on up to
    // textEnd; the bytes around it in [textBegin, textEnd) decide the whole-word rule.
    const char* Find(const char* textBegin, const char* from, const char* startLimit, const char* textEnd) const;

    std::size_t Length() const { return bytes_.size(); }

private:
    bool MatchesAt(const char* p) const;
    bool IsWholeWord(const char* textBegin, const char* match, const char* textEnd) const;
    const char* FindCandidate(const char* from, const char* startLimit, const char* textEnd) const;

    std::string bytes_;                  // folded to lower case when case is ignored
    std::string foldMasks_;              // per byte: 0x20 for a letter whose case is ignored, else 0
    std::size_t rareFirst_ = 0;          // two offsets of rare bytes: candidates must have both
    std::size_t rareSecond_ = 0;
    bool wholeWord_ = false;
    bool neverMatches_ = false;          // empty, or holding a line end
};

}  // namespace kelpo
