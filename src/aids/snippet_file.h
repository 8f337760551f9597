// The snippet file's entries: titles, bodies and the lines their markers stand on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

struct SnippetEntry {
    std::string title;  // UTF-8, without the marker and the line end after it
    std::string body;   // UTF-8 bytes up to the next marker or the end, line ends kept
    int line = 0;       // 0-based line of the entry's "#T=" marker
};

// The entries of a snippet file image. Without the UTF-8 byte-order mark there are none; an
// entry whose title line has no CR LF after it ends the list. NUL bytes are ordinary bytes.
std::vector<SnippetEntry> ParseSnippets(std::string_view image);

}  // namespace kelpo
