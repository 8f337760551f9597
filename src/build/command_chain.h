// A user command text is a chain of commands joined by "&", run one after the other.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

inline constexpr std::size_t kMaxChainPartChars = 511;

struct CommandChain {
    std::vector<std::wstring> parts;
    bool tooLong = false;  // a part is past kMaxChainPartChars: nothing of the chain may run
};

// Splits at every "&"; blanks and tabs that open a part are skipped and empty parts dropped.
CommandChain SplitCommandChain(std::wstring_view text);

}  // namespace kelpo
