// Lines of a text file of any length, each without its line end.
#pragma once

#include <string_view>

namespace kelpo {

// Calls visit for every line, the last one too when the text does not end in a line end. Lines end
// at CR LF, LF or a lone CR, as in the editor and the project file reader: a CR kept inside a name
// would break the line of the converted "build.tvk" that carries it.
template <typename Visit>
void ForEachTextLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() && text[next] == '\n') {
            ++next;
        }
        text.remove_prefix(next);
        visit(line);
    }
}

}  // namespace kelpo
