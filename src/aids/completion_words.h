// The words of a document that continue a typed prefix, for word completion. The text is given
// as the two runs on either side of the editing component's gap, so reading it moves nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

class SplitText {
public:
    SplitText(std::string_view front, std::string_view back) : front_(front), back_(back) {}
    std::size_t Size() const { return front_.size() + back_.size(); }
    char At(std::size_t i) const { return i < front_.size() ? front_[i] : back_[i - front_.size()]; }
    // First occurrence of `needle` starting at or after `from`, or npos.
    std::size_t Find(std::string_view needle, std::size_t from) const;
    // Last occurrence starting before `before`, or npos.
    std::size_t FindBackward(std::string_view needle, std::size_t before) const;

private:
    bool MatchesAt(std::string_view needle, std::size_t at) const;
    std::string_view front_;
    std::string_view back_;
};

// Every distinct word longer than `root` that starts with it at a word start, other than the
// root itself at `rootStart`; in the order of first occurrence from the start of the text.
std::vector<std::string> AllCompletionWords(const SplitText& text, std::string_view root, std::size_t rootStart);

// Up to two such words, searched outward from the root in both directions at once, so that
// typing stops as soon as a second word shows the list would not open. Their order is the order
// found.
std::vector<std::string> NearCompletionWords(const SplitText& text, std::string_view root, std::size_t rootStart);

}  // namespace kelpo
