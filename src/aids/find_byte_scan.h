// Scans over raw file bytes for the file search: line ends, line counts, a census of the bytes.
// Sixteen bytes at a time where the processor has SSE2, since every searched byte passes through here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelpo {

// First CR or LF in [begin, end), or end.
const char* FindLineEnd(const char* begin, const char* end);

// The position after the last CR or LF in [begin, end), or begin when there is none.
const char* LineStartBefore(const char* begin, const char* end);

// Line ends in [begin, end) counted as the editor counts them: LF, CR LF and a lone CR one each.
// textEnd is the end of the whole text, so that a CR just before end can see whether LF follows.
std::size_t CountLineEnds(const char* begin, const char* end, const char* textEnd);

// What a file's text holds, taken piece by piece in one pass as it is read: zero bytes (binary
// files), bytes above 0x7F (text that may not be ASCII) and line ends counted as above.
class TextCensus {
public:
    void Add(const char* begin, const char* end);
    // The end of the text: a CR at its very end is a line end after all.
    void Finish();

    // Line ends so far; a CR as the last byte waits for the next byte to be counted.
    std::uint64_t LineEnds() const { return lineEnds_; }
    bool SawZero() const { return sawZero_; }
    bool SawHighByte() const { return sawHighByte_; }

private:
    std::uint64_t lineEnds_ = 0;
    bool pendingCr_ = false;
    bool sawZero_ = false;
    bool sawHighByte_ = false;
};

}  // namespace kelpo
