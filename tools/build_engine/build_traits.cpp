// Condition words of "vc.mk" sections and "build.xml" overrides.
#include "build_traits.h"

#include <algorithm>
#include <array>

#include "engine_paths.h"

namespace kelpo::engine {

namespace {

constexpr std::array<std::string_view, 29> knownWords = {
    "debug", "release", "exe", "dll", "sys", "lib", "libcmt", "mfcstatic", "mfcdll", "msvcrxx",
    "none", "unicode", "ansi", "pch", "x86", "x64", "arm64", "arm", "vc6", "vc2003",
    "vc2005", "vc2008", "vc2010", "vc2012", "vc2013", "vc2015", "vc2017", "vc2019", "vc2022"};

// Calls `visit` for each blank-separated word.
template <typename Visit>
bool EveryWord(std::string_view text, std::string_view separators, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        if (end > start && !visit(text.substr(start, end - start))) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool PlainWordHolds(const std::string& word, const BuildTraits& traits) {
    return word == traits.tool || word == traits.arch || word == traits.type || word == traits.targetType ||
           word == traits.runtimeLib || (word == "unicode" && traits.unicode) ||
           (word == "ansi" && !traits.unicode) || (word == "pch" && traits.pch);
}

bool WordHolds(std::string_view word, const BuildTraits& traits) {
    const bool negated = word.front() == '!';
    if (negated) {
        word.remove_prefix(1);
    }
    bool any = false;
    EveryWord(word, "|", [&](std::string_view alternative) {
        any = any || PlainWordHolds(AsciiLower(alternative), traits);
        return true;
    });
    return any != negated;
}

}  // namespace

bool ConditionHolds(std::string_view condition, const BuildTraits& traits) {
    return EveryWord(condition, " \t", [&](std::string_view word) { return WordHolds(word, traits); });
}

std::string CheckCondition(std::string_view condition) {
    std::string message;
    EveryWord(condition, " \t", [&](std::string_view word) {
        if (word.front() == '!') {
            word.remove_prefix(1);
        }
        if (word.empty()) {
            message = "'!' must stand before a word";
            return false;
        }
        return EveryWord(word, "|", [&](std::string_view alternative) {
            if (std::find(knownWords.begin(), knownWords.end(), AsciiLower(alternative)) == knownWords.end()) {
                message = "unknown condition word '" + std::string(alternative) + "'";
                return false;
            }
            return true;
        });
    });
    return message;
}

}  // namespace kelpo::engine
