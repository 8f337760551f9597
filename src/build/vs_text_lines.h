// Lines of a text file of any length, each without its CR LF or LF.
#pragma once

#include <string_view>

namespace kelpo {

// Calls visit for every line, the last one too when the text does not end in a line end.
template <typename Visit>
void ForEachTextLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        visit(line);
    }
}

}  // namespace kelpo
