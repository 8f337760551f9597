// Message-line parsing, shared by the output pane and the result panes.
#include "doc/message_line.h"

#include <algorithm>
#include <climits>

namespace kelpo {

std::optional<MessageLocation> ParseMessageLine(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.remove_suffix(1);
    }
    if (text.size() < 2) {
        return std::nullopt;
    }
    std::size_t cut = text.find(L") : ");
    if (cut == std::wstring_view::npos) {
        cut = text.find(L"): ");
    }
    if (cut == std::wstring_view::npos) {
        return std::nullopt;
    }
    const std::wstring_view head = text.substr(0, cut);
    const std::size_t open = head.rfind(L'(');
    if (open == std::wstring_view::npos || open == 0) {
        return std::nullopt;
    }
    MessageLocation location;
    location.file = std::wstring(head.substr(0, open));
    long long line = 0;
    for (std::size_t i = open + 1; i < head.size() && head[i] >= L'0' && head[i] <= L'9'; ++i) {
        line = std::min<long long>(line * 10 + (head[i] - L'0'), INT_MAX);
    }
    location.line = static_cast<int>(line);
    return location;
}

}  // namespace kelpo
