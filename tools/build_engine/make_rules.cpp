// Reading "vc.mk" and choosing the values of one build.
#include "make_rules.h"

#include <algorithm>
#include <array>

#include "engine_paths.h"

namespace kelpo::engine {

namespace {

constexpr std::array<std::string_view, 19> knownKeys = {
    "compiler", "linker", "librarian", "rc", "assembler", "cflags", "lflags", "libflags", "rflags", "aflags",
    "libs", "pch_create", "pch_use", "compile", "resource", "assemble", "link", "archive", "deps_prefix"};

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Fail(MakeError& error, int line, std::string message) {
    error.line = line;
    error.message = std::move(message);
    return false;
}

bool ReadLine(std::string_view line, int number, MakeRules& rules, MakeError& error) {
    line = Trim(line);
    if (line.empty() || line.front() == '#' || line.front() == ';') {
        return true;
    }
    if (line.front() == '[') {
        if (line.back() != ']') {
            return Fail(error, number, "a section line must end with ']'");
        }
        const std::string_view condition = Trim(line.substr(1, line.size() - 2));
        if (std::string message = CheckCondition(condition); !message.empty()) {
            return Fail(error, number, message);
        }
        rules.sections.push_back({std::string(condition), {}});
        return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return Fail(error, number, "expected 'key = value', 'key += value' or '[condition]', not '" +
                                       std::string(line) + "'");
    }
    const bool append = equals > 0 && line[equals - 1] == '+';
    const std::string key = AsciiLower(Trim(line.substr(0, append ? equals - 1 : equals)));
    if (key.empty()) {
        return Fail(error, number, "a key is missing before '='");
    }
    if (std::find(knownKeys.begin(), knownKeys.end(), key) == knownKeys.end()) {
        return Fail(error, number, "unknown key '" + key + "'");
    }
    rules.sections.back().assignments.push_back({key, append, std::string(Trim(line.substr(equals + 1)))});
    return true;
}

}  // namespace

bool ReadMakeRules(std::string_view text, MakeRules& rules, MakeError& error) {
    rules.sections.assign(1, MakeSection());
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    int number = 1;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!ReadLine(line, number, rules, error)) {
            return false;
        }
        ++number;
        start = end + 1;
    }
    return true;
}

std::map<std::string, std::string> ResolveMakeRules(const MakeRules& rules, const BuildTraits& traits) {
    std::map<std::string, std::string> values;
    for (const MakeSection& section : rules.sections) {
        if (!ConditionHolds(section.condition, traits)) {
            continue;
        }
        for (const MakeAssignment& assignment : section.assignments) {
            std::string& value = values[assignment.key];
            if (assignment.append && !value.empty()) {
                value += (assignment.value.empty() ? "" : " ") + assignment.value;
            } else {
                value = assignment.value;
            }
        }
    }
    return values;
}

}  // namespace kelpo::engine
