// Word completion's search: hits of the prefix at word starts, each extended to its word's end.
#include "aids/completion_words.h"

#include <algorithm>

#include "aids/call_tip_text.h"
#include "aids/substring_scan.h"

namespace kelpo {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The word that starts at a hit, or nothing when the hit is not at a word start, is the root
// itself or is no longer than the root.
std::string WordAt(const SplitText& text, std::size_t hit, std::size_t rootLength, std::size_t rootStart) {
    if (hit == rootStart || (hit > 0 && IsCompletionWordChar(text.At(hit - 1)))) {
        return {};
    }
    std::size_t end = hit + rootLength;
    while (end < text.Size() && IsCompletionWordChar(text.At(end))) {
        ++end;
    }
    if (end == hit + rootLength) {
        return {};
    }
    std::string word;
    word.reserve(end - hit);
    for (std::size_t i = hit; i < end; ++i) {
        word += text.At(i);
    }
    return word;
}

bool AddDistinct(std::vector<std::string>& words, std::string word) {
    if (word.empty() || std::find(words.begin(), words.end(), word) != words.end()) {
        return false;
    }
    words.push_back(std::move(word));
    return true;
}

}  // namespace

bool SplitText::MatchesAt(std::string_view needle, std::size_t at) const {
    if (at + needle.size() > Size()) {
        return false;
    }
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (At(at + i) != needle[i]) {
            return false;
        }
    }
    return true;
}

std::size_t SplitText::Find(std::string_view needle, std::size_t from) const {
    if (needle.empty()) {
        return npos;
    }
    const std::size_t split = front_.size();
    if (from < split) {
        const char* frontEnd = front_.data() + split;
        const char* hit = FindSubstring(front_.data() + from, frontEnd, needle);
        if (hit != frontEnd) {
            return static_cast<std::size_t>(hit - front_.data());
        }
        // A hit may straddle the two runs; it starts after every hit inside the front run.
        const std::size_t straddleFrom = std::max(from, split >= needle.size() ? split - needle.size() + 1 : 0);
        for (std::size_t at = straddleFrom; at < split; ++at) {
            if (MatchesAt(needle, at)) {
                return at;
            }
        }
    }
    const std::size_t inBack = from > split ? from - split : 0;
    if (inBack >= back_.size()) {
        return npos;
    }
    const char* backEnd = back_.data() + back_.size();
    const char* hit = FindSubstring(back_.data() + inBack, backEnd, needle);
    return hit == backEnd ? npos : static_cast<std::size_t>(hit - back_.data()) + split;
}

std::size_t SplitText::FindBackward(std::string_view needle, std::size_t before) const {
    if (needle.empty() || before == 0) {
        return npos;
    }
    const std::size_t split = front_.size();
    const std::size_t last = before - 1;  // the latest start allowed
    if (last >= split) {
        const char* limit = back_.data() + std::min(back_.size(), last - split + needle.size());
        const char* hit = FindSubstringBackward(back_.data(), limit, needle);
        if (hit != limit) {
            return static_cast<std::size_t>(hit - back_.data()) + split;
        }
    }
    if (split == 0) {
        return npos;
    }
    // Hits that straddle the two runs start later than any hit inside the front run.
    const std::size_t straddleFrom = split >= needle.size() ? split - needle.size() + 1 : 0;
    for (std::size_t at = std::min(last, split - 1) + 1; at-- > straddleFrom;) {
        if (MatchesAt(needle, at)) {
            return at;
        }
    }
    const char* limit = front_.data() + std::min(split, last + needle.size());
    const char* hit = FindSubstringBackward(front_.data(), limit, needle);
    return hit == limit ? npos : static_cast<std::size_t>(hit - front_.data());
}

std::vector<std::string> AllCompletionWords(const SplitText& text, std::string_view root, std::size_t rootStart) {
    std::vector<std::string> words;
    for (std::size_t hit = text.Find(root, 0); hit != npos; hit = text.Find(root, hit + 1)) {
        AddDistinct(words, WordAt(text, hit, root.size(), rootStart));
    }
    return words;
}

std::vector<std::string> NearCompletionWords(const SplitText& text, std::string_view root, std::size_t rootStart) {
    std::vector<std::string> words;
    std::size_t forward = text.Find(root, rootStart + 1);
    std::size_t backward = text.FindBackward(root, rootStart);
    while ((forward != npos || backward != npos) && words.size() < 2) {
        if (forward != npos) {
            AddDistinct(words, WordAt(text, forward, root.size(), rootStart));
            forward = text.Find(root, forward + 1);
        }
        if (backward != npos && words.size() < 2) {
            AddDistinct(words, WordAt(text, backward, root.size(), rootStart));
            backward = text.FindBackward(root, backward);
        }
    }
    return words;
}

}  // namespace kelpo
