// Table-driven UTF-8 state machine over byte classes, with a block path that
// skips runs of ASCII sixteen bytes at a time.
#include "doc/utf8_validator.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kelpo {
namespace {

// Byte classes: each class allows the same continuations after it.
enum ByteClass : std::uint8_t {
    kAscii,        // 00-7F
    kCont8,        // 80-8F
    kCont9,        // 90-9F
    kContA,        // A0-BF
    kNever,        // C0-C1 (always overlong), F5-FF (above U+10FFFF)
    kLead2,        // C2-DF
    kLeadE0,       // E0: second byte A0-BF, else overlong
    kLead3,        // E1-EC, EE-EF
    kLeadED,       // ED: second byte 80-9F, else a surrogate
    kLeadF0,       // F0: second byte 90-BF, else overlong
    kLead4,        // F1-F3
    kLeadF4,       // F4: second byte 80-8F, else above U+10FFFF
    kClassCount
};

enum State : std::uint8_t {
    kReject,  // first, so that its encoding below is zero and it never leaves itself
    kAccept,
    kTail1,   // one continuation byte still due
    kTail2,
    kTail3,
    kAfterE0,
    kAfterED,
    kAfterF0,
    kAfterF4,
    kStateCount
};

constexpr std::array<std::uint8_t, 256> MakeClassTable() {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        std::uint8_t c = kNever;
        if (b <= 0x7F) c = kAscii;
        else if (b <= 0x8F) c = kCont8;
        else if (b <= 0x9F) c = kCont9;
        else if (b <= 0xBF) c = kContA;
        else if (b <= 0xC1) c = kNever;
        else if (b <= 0xDF) c = kLead2;
        else if (b == 0xE0) c = kLeadE0;
        else if (b == 0xED) c = kLeadED;
        else if (b <= 0xEF) c = kLead3;
        else if (b == 0xF0) c = kLeadF0;
        else if (b <= 0xF3) c = kLead4;
        else if (b == 0xF4) c = kLeadF4;
        table[static_cast<std::size_t>(b)] = c;
    }
    return table;
}

using TransitionTable = std::array<std::array<std::uint8_t, kClassCount>, kStateCount>;

constexpr TransitionTable MakeTransitionTable() {
    TransitionTable t{};
    for (auto& row : t) row.fill(kReject);
    t[kAccept][kAscii] = kAccept;
    t[kAccept][kLead2] = kTail1;
    t[kAccept][kLeadE0] = kAfterE0;
    t[kAccept][kLead3] = kTail2;
    t[kAccept][kLeadED] = kAfterED;
    t[kAccept][kLeadF0] = kAfterF0;
    t[kAccept][kLead4] = kTail3;
    t[kAccept][kLeadF4] = kAfterF4;
    for (std::uint8_t c : {kCont8, kCont9, kContA}) {
        t[kTail1][c] = kAccept;
        t[kTail2][c] = kTail1;
        t[kTail3][c] = kTail2;
    }
    t[kAfterE0][kContA] = kTail1;
    t[kAfterED][kCont8] = kTail1;
    t[kAfterED][kCont9] = kTail1;
    t[kAfterF0][kCont9] = kTail2;
    t[kAfterF0][kContA] = kTail2;
    t[kAfterF4][kCont8] = kTail2;
    return t;
}

// The two tables folded into one 64-bit row per byte: a state is held as a
// bit offset (6 × its number) and the row, shifted right by the current state,
// holds the next one in its low six bits. A step is then one load that does
// not wait on the state and one shift that does.
constexpr unsigned kStateBits = 6;
constexpr std::uint64_t kStateMask = 63;
constexpr std::uint64_t Encoded(std::uint8_t state) { return std::uint64_t{state} * kStateBits; }

constexpr std::array<std::uint64_t, 256> MakeRows() {
    constexpr auto classOf = MakeClassTable();
    constexpr auto next = MakeTransitionTable();
    std::array<std::uint64_t, 256> rows{};
    for (std::size_t b = 0; b < 256; ++b) {
        for (std::uint8_t s = 0; s < kStateCount; ++s) {
            rows[b] |= Encoded(next[s][classOf[b]]) << Encoded(s);
        }
    }
    return rows;
}

static_assert(Encoded(kStateCount - 1) + kStateBits <= 64);
constexpr auto kRows = MakeRows();

std::uint64_t Step(std::uint64_t state, unsigned char byte) {
    return kRows[byte] >> (state & kStateMask);
}

constexpr std::size_t kBlock = 16;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;

std::uint64_t Load64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool HasZeroByte(std::uint64_t v) {
    return ((v - kLowBits) & ~v & kHighBits) != 0;
}

// Counts the bytes of a word that have their high bit set and no other bit:
// the multiplication adds the eight bits up in the top byte, without relying on
// a population-count instruction the target may lack.
std::size_t CountHighBits(std::uint64_t highBits) {
    return static_cast<std::size_t>(((highBits >> 7) * kLowBits) >> 56);
}

// UTF-16 units of eight well-formed bytes: every byte but a continuation
// (10xxxxxx) starts one, and a four-byte lead (11110xxx) starts two.
std::size_t Utf16UnitsOf(std::uint64_t v) {
    const std::uint64_t continuations = v & ~(v << 1) & kHighBits;
    const std::uint64_t fourByteLeads = v & (v << 1) & (v << 2) & (v << 3) & kHighBits;
    return 8 - CountHighBits(continuations) + CountHighBits(fourByteLeads);
}

// Runs the bytes through the state machine from where an earlier part left off; `offset` is
// where these bytes start in the whole.
template <bool kCount>
void ScanPart(std::string_view bytes, std::size_t offset, Utf8ScanState& scan) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::uint64_t state = scan.state;
    std::size_t utf16Length = scan.utf16Length;
    std::size_t firstZero = scan.firstZero;
    bool zeroSeen = scan.zeroSeen;
    std::size_t i = 0;
    for (; size - i >= kBlock && (state & kStateMask) != Encoded(kReject); i += kBlock) {
        const std::uint64_t a = Load64(p + i);
        const std::uint64_t b = Load64(p + i + 8);
        const bool ascii = ((a | b) & kHighBits) == 0;
        if (!ascii || (state & kStateMask) != Encoded(kAccept)) {
            // Reject never leaves itself, so one look per block (in the loop condition) is enough.
            for (std::size_t k = 0; k < kBlock; ++k) state = Step(state, p[i + k]);
        }
        if constexpr (kCount) {
            utf16Length += ascii ? kBlock : Utf16UnitsOf(a) + Utf16UnitsOf(b);
            if (!zeroSeen && (HasZeroByte(a) || HasZeroByte(b))) {
                firstZero = offset + i + static_cast<std::size_t>(
                    static_cast<const unsigned char*>(std::memchr(p + i, 0, kBlock)) - (p + i));
                zeroSeen = true;
            }
        }
    }
    for (; i < size && (state & kStateMask) != Encoded(kReject); ++i) {
        const unsigned char byte = p[i];
        state = Step(state, byte);
        if constexpr (kCount) {
            utf16Length +=
                static_cast<std::size_t>((byte & 0xC0) != 0x80) + static_cast<std::size_t>(byte >= 0xF0);
            if (byte == 0 && !zeroSeen) {
                firstZero = offset + i;
                zeroSeen = true;
            }
        }
    }
    scan.state = state & kStateMask;
    scan.utf16Length = utf16Length;
    scan.firstZero = firstZero;
    scan.zeroSeen = zeroSeen;
}

Utf8Scan Finished(const Utf8ScanState& scan, std::size_t size) {
    Utf8Scan result;
    result.wellFormed = scan.state == Encoded(kAccept);
    if (result.wellFormed) {
        result.utf16Length = scan.utf16Length;
        result.firstZero = scan.zeroSeen ? scan.firstZero : size;
    }
    return result;
}

}  // namespace

static_assert(Utf8ScanState{}.state == Encoded(kAccept));

bool IsWellFormedUtf8(std::string_view bytes) {
    Utf8ScanState scan;
    ScanPart<false>(bytes, 0, scan);
    return scan.state == Encoded(kAccept);
}

Utf8Scan ScanUtf8(std::string_view bytes) {
    Utf8ScanState scan;
    ScanPart<true>(bytes, 0, scan);
    return Finished(scan, bytes.size());
}

void Utf8Scanner::Feed(std::string_view bytes) {
    ScanPart<true>(bytes, size_, scan_);
    size_ += bytes.size();
}

bool Utf8Scanner::Rejected() const { return scan_.state == Encoded(kReject); }

Utf8Scan Utf8Scanner::Result() const { return Finished(scan_, size_); }

}  // namespace kelpo
