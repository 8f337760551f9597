// Well-formedness test for UTF-8 as RFC 3629 defines it: no overlong forms, no
// surrogate code points, nothing above U+10FFFF, no sequence cut off at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelpo {

struct Utf8Scan {
    bool wellFormed = true;
    // UTF-16 code units the bytes decode to (two for a four-byte sequence);
    // only meaningful when wellFormed.
    std::size_t utf16Length = 0;
    // Index of the first zero byte, or the size when there is none; only
    // meaningful when wellFormed.
    std::size_t firstZero = 0;
};

// Zero bytes are well-formed (U+0000); an empty buffer is well-formed.
bool IsWellFormedUtf8(std::string_view bytes);

// Same test, also counting what encoding detection compares, in the same pass.
Utf8Scan ScanUtf8(std::string_view bytes);

// Where a scan stands between two parts of the bytes: the machine's state (kept as the bit
// offset of the accepting state to start with) and the counts so far.
struct Utf8ScanState {
    std::uint64_t state = 6;
    std::size_t utf16Length = 0;
    std::size_t firstZero = 0;
    bool zeroSeen = false;
};

// ScanUtf8 over bytes that arrive in parts, as a file is read: a sequence may be cut anywhere
// between two parts.
class Utf8Scanner {
public:
    void Feed(std::string_view bytes);
    // Already known to be ill-formed, whatever follows.
    bool Rejected() const;
    // The scan of everything fed so far, as ScanUtf8 of it all would give it.
    Utf8Scan Result() const;

private:
    Utf8ScanState scan_;
    std::size_t size_ = 0;
};

}  // namespace kelpo
