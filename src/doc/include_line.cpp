// Reading the included name off one line of text.
#include "doc/include_line.h"

namespace kelpo {
namespace {

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
}

bool Consume(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

std::optional<std::string> IncludedFileName(std::string_view line) {
    SkipBlanks(line);
    if (!Consume(line, "#")) {
        return std::nullopt;
    }
    SkipBlanks(line);
    if (!Consume(line, "include")) {
        return std::nullopt;
    }
    SkipBlanks(line);
    if (line.empty() || (line.front() != '"' && line.front() != '<')) {
        return std::nullopt;
    }
    const char close = line.front() == '"' ? '"' : '>';
    line.remove_prefix(1);
    const std::size_t end = line.find(close);
    if (end == std::string_view::npos || end == 0) {
        return std::nullopt;
    }
    return std::string(line.substr(0, end));
}

}  // namespace kelpo
