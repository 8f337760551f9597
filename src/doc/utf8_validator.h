// Well-formedness test for UTF-8 as RFC 3629 defines it: no overlong forms, no
// surrogate code points, nothing above U+10FFFF, no sequence cut off at the end.
#pragma once

#include <cstddef>
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

}  // namespace kelpo
