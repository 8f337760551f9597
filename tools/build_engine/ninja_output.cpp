// Rewriting Ninja's output lines.
#include "ninja_output.h"

namespace kelpo::engine {

namespace {

// "[3/9] " as Ninja's default status prefix writes it.
std::string_view WithoutProgress(std::string_view line) {
    if (line.empty() || line.front() != '[') {
        return line;
    }
    const std::size_t close = line.find("] ");
    if (close == std::string_view::npos) {
        return line;
    }
    const std::string_view counter = line.substr(1, close - 1);
    const std::size_t slash = counter.find('/');
    if (slash == std::string_view::npos || slash == 0 || slash + 1 == counter.size() ||
        counter.find_first_not_of("0123456789/") != std::string_view::npos) {
        return line;
    }
    return line.substr(close + 2);
}

// "C:/p/a.c(3) : error ..." as some compilers write it: the path is given Windows separators, so
// the editor opens the file the message names.
std::string WithBackslashes(std::string_view line) {
    std::string text(line);
    const std::size_t open = text.find('(');
    if (open == std::string::npos || open == 0) {
        return text;
    }
    const std::size_t close = text.find(')', open);
    if (close == std::string::npos || close == open + 1 ||
        text.find_first_not_of("0123456789,", open + 1) != close ||
        (text.compare(close + 1, 2, " :") != 0 && text.compare(close + 1, 1, ":") != 0)) {
        return text;
    }
    for (std::size_t i = 0; i < open; ++i) {
        text[i] = text[i] == '/' ? '\\' : text[i];
    }
    return text;
}

}  // namespace

std::optional<std::string> NinjaOutputFilter::Filter(std::string_view line) {
    if (commandFollows_) {
        commandFollows_ = false;
        if (!verbose_) {
            return std::nullopt;
        }
        return std::string(line);
    }
    line = WithoutProgress(line);
    if (line.starts_with("FAILED: ")) {
        commandFollows_ = true;
        return std::string(line);
    }
    if (line.starts_with("Compiling ") || line.starts_with("Assembling ")) {
        ++compileCount_;
        return std::string(line);
    }
    constexpr std::string_view ninja = "ninja: ";
    if (!line.starts_with(ninja)) {
        return WithBackslashes(line);
    }
    const std::string_view rest = line.substr(ninja.size());
    if (rest.starts_with("build stopped:") || rest.starts_with("Entering directory")) {
        return std::nullopt;
    }
    for (const std::string_view kind : {"error: ", "warning: "}) {
        if (rest.starts_with(kind)) {
            return "ninja : " + std::string(kind.substr(0, kind.size() - 2)) + " : " +
                   std::string(rest.substr(kind.size()));
        }
    }
    return std::string(line);
}

}  // namespace kelpo::engine
