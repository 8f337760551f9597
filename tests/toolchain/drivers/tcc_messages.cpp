// tcc messages and dependency lists in MSVC's forms.
#include "tcc_messages.h"

#include "msvc_options.h"

#include <algorithm>
#include <cctype>

namespace toolchain {

namespace {

struct Kind {
    const char* tccWord;  // as tcc writes it after the location
    const char* msvcWord;
};

const Kind kinds[] = {{": error: ", "error"}, {": warning: ", "warning"}};

std::string Code(Tool tool, bool error) {
    const std::string prefix = tool == Tool::Compiler ? "C" : "LNK";
    return prefix + (error ? "0001" : "4000");
}

std::string ToolName(Tool tool) {
    switch (tool) {
    case Tool::Compiler:
        return "cl";
    case Tool::Linker:
        return "LINK";
    case Tool::Librarian:
        return "LIB";
    }
    return "cl";
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string WithBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Removes "." and ".." elements, keeping the root (drive or share) alone.
std::string Normalize(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    std::string root;
    if (path.size() > 2 && path[1] == ':') {
        root = path.substr(0, 3);
        start = 3;
    } else if (path.rfind("\\\\", 0) == 0) {
        root = "\\\\";
        start = 2;
    }
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        result += (i == 0 ? "" : "\\") + parts[i];
    }
    return result;
}

}  // namespace

std::string TranslateTccMessage(const std::string& line, Tool tool) {
    for (const Kind& kind : kinds) {
        const size_t at = line.find(kind.tccWord);
        if (at == std::string::npos || at == 0) {
            continue;
        }
        const std::string location = line.substr(0, at);
        const std::string text = line.substr(at + std::char_traits<char>::length(kind.tccWord));
        const bool error = kind.msvcWord[0] == 'e';
        const std::string tail = std::string(" : ") + kind.msvcWord + " " + Code(tool, error) + ": " + text;
        if (location == "tcc") {
            return ToolName(tool) + tail;
        }
        const size_t colon = location.rfind(':');
        // A drive letter's colon ("C:\x.c") is no line number.
        if (colon != std::string::npos && AllDigits(location.substr(colon + 1))) {
            return location.substr(0, colon) + "(" + location.substr(colon + 1) + ")" + tail;
        }
        return location + tail;
    }
    return line;
}

std::vector<std::string> IncludedFiles(const std::string& depfileText, const std::string& currentFolder) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < depfileText.size()) {
        size_t end = depfileText.find('\n', start);
        if (end == std::string::npos) {
            end = depfileText.size();
        }
        std::string entry = depfileText.substr(start, end - start);
        start = end + 1;
        while (!entry.empty() && (entry.back() == '\r' || entry.back() == '\\' || entry.back() == ' ')) {
            entry.pop_back();
        }
        entry.erase(0, entry.find_first_not_of(" \t"));
        if (!entry.empty()) {
            entries.push_back(entry);
        }
    }
    // The first entry is "target:", the second the source being compiled.
    std::vector<std::string> headers;
    for (size_t i = 2; i < entries.size(); ++i) {
        headers.push_back(Normalize(WithBackslashes(JoinPath(currentFolder, entries[i]))));
    }
    return headers;
}

std::string ShowIncludesLine(const std::string& header) {
    return "Note: including file: " + header;
}

}  // namespace toolchain
