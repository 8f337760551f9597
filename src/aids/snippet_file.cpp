// Snippet file parsing. Works on a read-only view of the image, so that a body may hold any byte
// and the next entry's marker is never overwritten.
#include "aids/snippet_file.h"

#include <algorithm>

namespace kelpo {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kMarker = "#T=";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::vector<SnippetEntry> ParseSnippets(std::string_view image) {
    std::vector<SnippetEntry> entries;
    if (!image.starts_with(kByteOrderMark)) {
        return entries;
    }
    std::size_t marker = image.find(kMarker, kByteOrderMark.size());
    std::size_t lfBefore = 0;  // LF bytes before `counted`
    std::size_t counted = 0;
    while (marker != std::string_view::npos) {
        const std::size_t titleStart = marker + kMarker.size();
        const std::size_t titleEnd = image.find(kLineEnd, titleStart);
        if (titleEnd == std::string_view::npos) {
            break;
        }
        lfBefore += static_cast<std::size_t>(std::count(image.begin() + counted, image.begin() + marker, '\n'));
        counted = marker;
        const std::size_t bodyStart = titleEnd + kLineEnd.size();
        const std::size_t next = image.find(kMarker, bodyStart);
        const std::size_t bodyEnd = next == std::string_view::npos ? image.size() : next;
        entries.push_back(SnippetEntry{std::string(image.substr(titleStart, titleEnd - titleStart)),
                                       std::string(image.substr(bodyStart, bodyEnd - bodyStart)),
                                       static_cast<int>(lfBefore)});
        marker = next;
    }
    return entries;
}

}  // namespace kelpo
