// The session file's layout: root "kelpo" with one "file" element per tab, carrying the path
// as UTF-8 text and the view state as attributes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_document.h"

namespace kelpo {

struct SessionEntry {
    std::string path;            // UTF-8; empty for a new document without file
    bool activeProject = false;
    int firstLine = 0;           // top line of the view, not counting lines hidden by folding
    int selectionStart = 0;
    int selectionEnd = 0;
    int xOffset = 0;             // horizontal scroll in pixels
    std::vector<int> bookmarks;  // 0-based lines, ascending
    bool selected = false;       // the selected tab
};

// Fills a new, empty document: mark, declaration, root and one element per entry. The view
// state is written only for entries with a path, and the attributes always in one order.
void BuildSessionDocument(XmlDocument& document, const std::vector<SessionEntry>& entries);

// The entries of a loaded session; none when the first top-level element is not "kelpo".
// Attributes that are missing read as 0.
std::vector<SessionEntry> ReadSessionEntries(const XmlDocument& document);

// "3,17,250": the lines joined by commas without spaces.
std::string FormatBookmarks(const std::vector<int>& lines);
// The numbers of a comma-separated list; pieces that are not a non-negative decimal number
// are passed over rather than read as line 0.
std::vector<int> ParseBookmarks(std::string_view text);

}  // namespace kelpo
