// Splitting a command chain.
#include "build/command_chain.h"

namespace kelpo {

CommandChain SplitCommandChain(std::wstring_view text) {
    CommandChain chain;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'&', start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        // Leading blanks would make the argument splitter see an empty program name.
        std::size_t first = start;
        while (first < end && (text[first] == L' ' || text[first] == L'\t')) {
            ++first;
        }
        if (first < end) {
            if (end - first > kMaxChainPartChars) {
                return CommandChain{{}, true};
            }
            chain.parts.emplace_back(text.substr(first, end - first));
        }
        start = end + 1;
    }
    return chain;
}

}  // namespace kelpo
