// Finding a short byte string in a large text, forwards or backwards, sixteen positions at a time
// where the processor has SSE2: word completion looks through the whole document per keystroke.
#pragma once

#include <string_view>

namespace kelpo {

// The first start of `needle` in [begin, end) with the whole needle inside, or end.
const char* FindSubstring(const char* begin, const char* end, std::string_view needle);

// The last such start, or end when there is none.
const char* FindSubstringBackward(const char* begin, const char* end, std::string_view needle);

}  // namespace kelpo
