// SSE2 loops with scalar tails; the scalar forms alone where SSE2 is missing.
#include "aids/find_byte_scan.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KELPO_FIND_SSE2 1
#include <emmintrin.h>
#endif

namespace kelpo {
namespace {

constexpr std::ptrdiff_t kBlock = 16;

bool IsLineEndByte(char c) { return c == '\n' || c == '\r'; }

#if KELPO_FIND_SSE2
__m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

unsigned Mask(__m128i v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); }

unsigned LineEndMask(const char* p) {
    const __m128i v = Load(p);
    return Mask(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
}

// Line ends of whole blocks from p on, leaving p where fewer than 17 bytes remain (each block
// looks at the byte after it). Counts gather in byte lanes and are summed every 255 blocks, since
// popcount is a library call on the base instruction set. With kCensus, zero and high bytes are
// gathered too.
template <bool kCensus>
std::uint64_t CountBlocks(const char*& p, const char* end, bool* sawZero = nullptr, bool* sawHigh = nullptr) {
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    __m128i lanes = zero;
    __m128i zeros = zero;
    __m128i bytes = zero;
    int blocks = 0;
    for (; end - p > kBlock; p += kBlock) {
        const __m128i v = Load(p);
        const __m128i lfNext = _mm_cmpeq_epi8(Load(p + 1), lf);
        const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_andnot_si128(lfNext, _mm_cmpeq_epi8(v, cr)));
        lanes = _mm_sub_epi8(lanes, lineEnd);
        if constexpr (kCensus) {
            zeros = _mm_or_si128(zeros, _mm_cmpeq_epi8(v, zero));
            bytes = _mm_or_si128(bytes, v);
        }
        if (++blocks == 255) {
            sums = _mm_add_epi64(sums, _mm_sad_epu8(lanes, zero));
            lanes = zero;
            blocks = 0;
        }
    }
    sums = _mm_add_epi64(sums, _mm_sad_epu8(lanes, zero));
    if constexpr (kCensus) {
        *sawZero = *sawZero || Mask(zeros) != 0;
        *sawHigh = *sawHigh || Mask(bytes) != 0;
    }
    alignas(16) std::uint64_t halves[2];
    _mm_store_si128(reinterpret_cast<__m128i*>(halves), sums);
    return halves[0] + halves[1];
}
#endif

}  // namespace

const char* FindLineEnd(const char* begin, const char* end) {
    const char* p = begin;
#if KELPO_FIND_SSE2
    for (; end - p >= kBlock; p += kBlock) {
        if (const unsigned mask = LineEndMask(p)) return p + std::countr_zero(mask);
    }
#endif
    for (; p < end; ++p) {
        if (IsLineEndByte(*p)) return p;
    }
    return end;
}

const char* LineStartBefore(const char* begin, const char* end) {
    const char* p = end;
#if KELPO_FIND_SSE2
    for (; p - begin >= kBlock; p -= kBlock) {
        if (const unsigned mask = LineEndMask(p - kBlock)) return p - kBlock + (32 - std::countl_zero(mask));
    }
#endif
    for (; p > begin; --p) {
        if (IsLineEndByte(p[-1])) return p;
    }
    return begin;
}

std::size_t CountLineEnds(const char* begin, const char* end, const char* textEnd) {
    std::size_t count = 0;
    const char* p = begin;
#if KELPO_FIND_SSE2
    count += static_cast<std::size_t>(CountBlocks<false>(p, end));
#endif
    for (; p < end; ++p) {
        if (*p == '\n') ++count;
        else if (*p == '\r' && (p + 1 == textEnd || p[1] != '\n')) ++count;
    }
    return count;
}

void TextCensus::Add(const char* begin, const char* end) {
    if (begin == end) return;
    if (pendingCr_ && *begin != '\n') ++lineEnds_;
    pendingCr_ = false;
    const char* p = begin;
    std::uint64_t count = 0;
#if KELPO_FIND_SSE2
    count += CountBlocks<true>(p, end, &sawZero_, &sawHighByte_);
#endif
    for (; p < end; ++p) {
        const char c = *p;
        if (c == '\n') ++count;
        else if (c == '\r' && p + 1 < end && p[1] != '\n') ++count;
        sawZero_ = sawZero_ || c == '\0';
        sawHighByte_ = sawHighByte_ || static_cast<unsigned char>(c) >= 0x80;
    }
    lineEnds_ += count;
    pendingCr_ = end[-1] == '\r';
}

void TextCensus::Finish() {
    if (pendingCr_) ++lineEnds_;
    pendingCr_ = false;
}

}  // namespace kelpo
