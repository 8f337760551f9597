// Writing and reading the elements and attributes of the session file.
#include "doc/session_file.h"

#include <climits>
#include <cstring>

namespace kelpo {
namespace {

constexpr char kRoot[] = "kelpo";
constexpr char kFile[] = "file";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A decimal number as atoi reads it, but only when it has digits and fits; -1 otherwise.
int ReadLineNumber(std::string_view piece) {
    std::size_t i = 0;
    while (i < piece.size() && IsSpace(piece[i])) {
        ++i;
    }
    if (i < piece.size() && piece[i] == '+') {
        ++i;
    }
    const std::size_t firstDigit = i;
    long long value = 0;
    while (i < piece.size() && piece[i] >= '0' && piece[i] <= '9') {
        value = value * 10 + (piece[i] - '0');
        if (value > INT_MAX) {
            return -1;
        }
        ++i;
    }
    return i > firstDigit ? static_cast<int>(value) : -1;
}

int IntAttribute(const XmlElement& element, const char* name) {
    int value = 0;
    element.GetAttributeInt(name, &value);
    return value;
}

SessionEntry ReadEntry(const XmlElement& element) {
    SessionEntry entry;
    if (const char* text = element.Text()) {
        entry.path = text;
    }
    entry.activeProject = element.GetAttribute("active") != nullptr;
    entry.firstLine = IntAttribute(element, "line");
    entry.selectionStart = IntAttribute(element, "startpos");
    entry.selectionEnd = IntAttribute(element, "endpos");
    entry.xOffset = IntAttribute(element, "xoffset");
    if (const char* marks = element.GetAttribute("mark")) {
        entry.bookmarks = ParseBookmarks(marks);
    }
    entry.selected = element.GetAttribute("cursel") != nullptr;
    return entry;
}

}  // namespace

void BuildSessionDocument(XmlDocument& document, const std::vector<SessionEntry>& entries) {
    document.SetBom(true);
    document.SetDeclaration("1.0", "UTF-8", nullptr);
    XmlElement* root = document.CreateElement(kRoot);
    if (root == nullptr) {
        return;
    }
    document.AppendTopLevel(root);
    for (const SessionEntry& entry : entries) {
        XmlElement* file = document.CreateElement(kFile);
        if (file == nullptr) {
            return;
        }
        if (entry.activeProject) {
            file->SetAttributeInt("active", 1);
        }
        if (!entry.path.empty()) {
            file->SetText(entry.path.c_str());
            file->SetAttributeInt("line", entry.firstLine);
            file->SetAttributeInt("startpos", entry.selectionStart);
            file->SetAttributeInt("endpos", entry.selectionEnd);
            file->SetAttributeInt("xoffset", entry.xOffset);
            if (!entry.bookmarks.empty()) {
                file->SetAttribute("mark", FormatBookmarks(entry.bookmarks).c_str());
            }
        }
        if (entry.selected) {
            file->SetAttributeInt("cursel", 1);
        }
        root->AppendChild(file);
    }
}

std::vector<SessionEntry> ReadSessionEntries(const XmlDocument& document) {
    std::vector<SessionEntry> entries;
    const XmlElement* root = document.Root()->FirstChild();
    if (root == nullptr || root->Name() == nullptr || std::strcmp(root->Name(), kRoot) != 0) {
        return entries;
    }
    for (const XmlElement* file = root->FirstChild(kFile); file != nullptr; file = file->NextSibling(kFile)) {
        entries.push_back(ReadEntry(*file));
    }
    return entries;
}

std::string FormatBookmarks(const std::vector<int>& lines) {
    std::string text;
    for (const int line : lines) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(line);
    }
    return text;
}

std::vector<int> ParseBookmarks(std::string_view text) {
    std::vector<int> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view piece = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        if (const int line = ReadLineNumber(piece); line >= 0) {
            lines.push_back(line);
        }
        if (comma == std::string_view::npos) {
            return lines;
        }
        start = comma + 1;
    }
}

}  // namespace kelpo
