// Parsing the command lines of build.exe.
#include "command_line.h"

#include <cctype>

#include "engine_paths.h"

namespace kelpo::engine {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view NextWord(std::string_view& text) {
    text = TrimBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// A path may come quoted by a user; the editor passes it bare.
std::string Unquote(std::string_view path) {
    path = TrimBlanks(path);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    }
    return std::string(path);
}

bool ParseEditorLine(std::string_view rest, EngineRequest& request, std::string& error) {
    std::string_view afterFlag = rest;
    const std::string_view flag = NextWord(afterFlag);
    if (!flag.empty() && flag.front() == '/') {
        const std::string lower = AsciiLower(flag);
        if (lower == "/r") {
            request.action = BuildAction::Rebuild;
        } else if (lower == "/c") {
            request.action = BuildAction::Clean;
        } else if (lower == "/t") {
            request.action = BuildAction::BuildAndRun;
        } else {
            error = "unknown flag '" + std::string(flag) + "' after -z (known: /r, /c, /t)";
            return false;
        }
        rest = afterFlag;
    }
    request.project = Unquote(rest);
    if (request.project.empty()) {
        error = "no project file after -z";
        return false;
    }
    return true;
}

bool ParseSwitch(std::string_view word, EngineRequest& request, std::string& error) {
    const std::string lower = AsciiLower(word.substr(1));
    if (lower == "i") {
        request.ignoreFailures = true;
    } else if (lower == "r") {
        request.action = BuildAction::Rebuild;
    } else if (lower == "c") {
        request.action = BuildAction::Clean;
    } else if (lower == "t") {
        request.action = BuildAction::BuildAndRun;
    } else if (lower == "v") {
        request.verbose = true;
    } else if (lower.size() > 1 && lower[0] == 'j' &&
               lower.find_first_not_of("0123456789", 1) == std::string::npos && lower.size() <= 4) {
        request.jobs = std::stoi(lower.substr(1));
    } else {
        error = "unknown switch '" + std::string(word) + "' (known: -i, -r, -c, -t, -v, -jN)";
        return false;
    }
    return true;
}

}  // namespace

std::string_view SkipProgramName(std::string_view commandLine) {
    commandLine = TrimBlanks(commandLine);
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        return close == std::string_view::npos ? std::string_view() : commandLine.substr(close + 1);
    }
    std::size_t end = 0;
    while (end < commandLine.size() && !IsBlank(commandLine[end])) {
        ++end;
    }
    return commandLine.substr(end);
}

bool ParseCommandLine(std::string_view arguments, EngineRequest& request, std::string& error) {
    request = EngineRequest();
    std::string_view rest = arguments;
    std::string_view probe = rest;
    const std::string_view first = NextWord(probe);
    if (SameText(first, "-z")) {
        return ParseEditorLine(probe, request, error);
    }
    // Switches come first; the rest of the line, blanks included, is the project.
    for (;;) {
        probe = rest;
        const std::string_view word = NextWord(probe);
        if (word.size() < 2 || (word.front() != '-' && word.front() != '/')) {
            break;
        }
        if (!ParseSwitch(word, request, error)) {
            return false;
        }
        rest = probe;
    }
    request.project = Unquote(rest);
    if (request.project.empty()) {
        error = "no project folder given";
        return false;
    }
    return true;
}

std::string_view UsageText() {
    return "usage: build.exe -z FLAG PROJECT-FILE       (from the editor; FLAG: empty, /r, /c or /t)\n"
           "       build.exe [switches] PROJECT-FOLDER  (-i go on past failures, -r rebuild, -c clean,\n"
           "                                             -t build and run, -v show commands, -jN jobs)\n";
}

}  // namespace kelpo::engine
