// Candidates come from two rare bytes of the pattern compared sixteen positions at a time; each is
// then checked whole. Rare bytes make false candidates few in source text.
#include "aids/find_pattern.h"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KELPO_FIND_SSE2 1
#include <emmintrin.h>
#endif

namespace kelpo {
namespace {

bool IsAsciiUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLower(unsigned char c) { return c >= 'a' && c <= 'z'; }

bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return IsAsciiUpper(u) || IsAsciiLower(u) || (u >= '0' && u <= '9') || u == '_';
}

// How often a byte turns up in source text, roughly: higher is more common.
int Commonness(unsigned char c) {
    constexpr std::string_view kLettersByUse = "etaoinsrlcdumhpfgbyvwkxjqz";
    if (c == ' ') return 100;
    if (IsAsciiLower(c)) return 90 - 2 * static_cast<int>(kLettersByUse.find(static_cast<char>(c)));
    if (IsAsciiUpper(c)) return 30;
    if (c == '\t') return 70;
    if (c >= '0' && c <= '9') return c <= '1' ? 45 : 35;
    if (std::string_view("()*;,._=/-\"{}<>:&").find(static_cast<char>(c)) != std::string_view::npos) return 50;
    if (c >= 0x80) return 15;
    if (c < 0x20) return 5;
    return 25;
}

}  // namespace

FindPattern::FindPattern(std::string_view bytes, bool matchCase, bool wholeWord)
    : bytes_(bytes), foldMasks_(bytes.size(), '\0'), wholeWord_(wholeWord) {
    neverMatches_ = bytes_.empty() || bytes_.find_first_of("\r\n") != std::string::npos;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes_[i]);
        if (!matchCase && (IsAsciiUpper(c) || IsAsciiLower(c))) {
            bytes_[i] = static_cast<char>(c | 0x20);
            foldMasks_[i] = 0x20;
        }
    }
    // Folded letters rank as their lower-case form, which they now are.
    auto rank = [&](std::size_t i) { return Commonness(static_cast<unsigned char>(bytes_[i])); };
    for (std::size_t i = 1; i < bytes_.size(); ++i) {
        if (rank(i) < rank(rareFirst_)) rareFirst_ = i;
    }
    rareSecond_ = bytes_.size() > 1 ? (rareFirst_ == 0 ? 1 : 0) : 0;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i != rareFirst_ && rank(i) < rank(rareSecond_)) rareSecond_ = i;
    }
}

bool FindPattern::MatchesAt(const char* p) const {
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (static_cast<char>(p[i] | foldMasks_[i]) != bytes_[i]) return false;
    }
    return true;
}

bool FindPattern::IsWholeWord(const char* textBegin, const char* match, const char* textEnd) const {
    if (match > textBegin && IsWordByte(match[-1])) return false;
    const char* after = match + bytes_.size();
    return after == textEnd || !IsWordByte(*after);
}

// The first position in [from, startLimit) where the whole pattern stands, or nullptr.
const char* FindPattern::FindCandidate(const char* from, const char* startLimit, const char* textEnd) const {
    const auto length = static_cast<std::ptrdiff_t>(bytes_.size());
    if (textEnd - from < length) return nullptr;
    const char* lastStart = textEnd - length;  // inclusive
    const char* limit = startLimit <= lastStart ? startLimit : lastStart + 1;
    const char* p = from;
#if KELPO_FIND_SSE2
    const auto first = static_cast<std::ptrdiff_t>(rareFirst_);
    const auto second = static_cast<std::ptrdiff_t>(rareSecond_);
    const std::ptrdiff_t reach = (first > second ? first : second) + 16;
    const __m128i firstByte = _mm_set1_epi8(bytes_[rareFirst_]);
    const __m128i firstFold = _mm_set1_epi8(foldMasks_[rareFirst_]);
    const __m128i secondByte = _mm_set1_epi8(bytes_[rareSecond_]);
    const __m128i secondFold = _mm_set1_epi8(foldMasks_[rareSecond_]);
    for (; p < limit && textEnd - p >= reach; p += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + first));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + second));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), firstByte),
                                           _mm_cmpeq_epi8(_mm_or_si128(b, secondFold), secondByte));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0; mask &= mask - 1) {
            const char* candidate = p + std::countr_zero(mask);
            if (candidate >= limit) return nullptr;
            if (MatchesAt(candidate)) return candidate;
        }
    }
#endif
    for (; p < limit; ++p) {
        if (MatchesAt(p)) return p;
    }
    return nullptr;
}

const char* FindPattern::Find(const char* textBegin, const char* from, const char* startLimit,
                              const char* textEnd) const {
    if (neverMatches_) return nullptr;
    for (const char* p = from; p < startLimit;) {
        const char* match = FindCandidate(p, startLimit, textEnd);
        if (match == nullptr) return nullptr;
        if (!wholeWord_ || IsWholeWord(textBegin, match, textEnd)) return match;
        p = match + 1;
    }
    return nullptr;
}

}  // namespace kelpo
