// Candidates are positions where both the needle's first and last bytes match; each is then
// compared whole. Two bytes far apart rule out most positions even for common letters.
#include "aids/substring_scan.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KELPO_SCAN_SSE2 1
#include <emmintrin.h>
#endif

namespace kelpo {
namespace {

constexpr std::ptrdiff_t kBlock = 16;

bool MatchesAt(const char* p, std::string_view needle) { return std::memcmp(p, needle.data(), needle.size()) == 0; }

#if KELPO_SCAN_SSE2
// Bit i set when position p + i may start the needle.
unsigned CandidateMask(const char* p, __m128i first, __m128i last, std::ptrdiff_t lastOffset) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + lastOffset));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
}
#endif

}  // namespace

const char* FindSubstring(const char* begin, const char* end, std::string_view needle) {
    const auto n = static_cast<std::ptrdiff_t>(needle.size());
    if (n == 0 || end - begin < n) {
        return end;
    }
    const char* const lastStart = end - n;  // the last position a match may start at
    const char* p = begin;
#if KELPO_SCAN_SSE2
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; lastStart - p >= kBlock - 1; p += kBlock) {
        for (unsigned mask = CandidateMask(p, first, last, n - 1); mask != 0; mask &= mask - 1) {
            const char* candidate = p + std::countr_zero(mask);
            if (MatchesAt(candidate, needle)) {
                return candidate;
            }
        }
    }
#endif
    for (; p <= lastStart; ++p) {
        if (*p == needle.front() && MatchesAt(p, needle)) {
            return p;
        }
    }
    return end;
}

const char* FindSubstringBackward(const char* begin, const char* end, std::string_view needle) {
    const auto n = static_cast<std::ptrdiff_t>(needle.size());
    if (n == 0 || end - begin < n) {
        return end;
    }
    // Blocks of starts [p, p + 16) from the last start downwards.
    const char* p = end - n + 1;  // one past the last start
#if KELPO_SCAN_SSE2
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    while (p - begin >= kBlock) {
        p -= kBlock;
        for (unsigned mask = CandidateMask(p, first, last, n - 1); mask != 0;) {
            const int highest = 31 - std::countl_zero(mask);
            if (MatchesAt(p + highest, needle)) {
                return p + highest;
            }
            mask &= ~(1u << highest);
        }
    }
#endif
    while (p > begin) {
        --p;
        if (*p == needle.front() && MatchesAt(p, needle)) {
            return p;
        }
    }
    return end;
}

}  // namespace kelpo
