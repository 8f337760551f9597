// Indentation states of lines from their styled text.
#include "aids/indent_rules.h"

namespace kelpo {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool AnyPartMatches(std::string_view text, std::span<const unsigned char> styles, const IndentRule& rule) {
    if (rule.words == nullptr || rule.words[0] == '\0') {
        return false;
    }
    for (const std::string_view part : LinePartsInStyle(text, styles, rule.style)) {
        if (RuleMatchesPart(rule.words, part)) {
            return true;
        }
    }
    return false;
}

bool IsWordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '`' || b >= 127;
}

}  // namespace

bool RuleMatchesPart(std::string_view words, std::string_view part) {
    if (words.empty() || part.empty()) {
        return false;
    }
    if (!IsAsciiLetter(words.front())) {
        return words.find(part.front()) != std::string_view::npos;
    }
    while (!words.empty()) {
        const std::size_t end = std::min(words.find(' '), words.size());
        if (words.substr(0, end) == part) {
            return true;
        }
        words.remove_prefix(std::min(end + 1, words.size()));
    }
    return false;
}

std::vector<std::string_view> LinePartsInStyle(std::string_view text, std::span<const unsigned char> styles, int style,
                                               std::size_t maxParts) {
    std::vector<std::string_view> parts;
    const std::size_t length = std::min(text.size(), styles.size());
    std::size_t i = 0;
    while (i < length && parts.size() < maxParts) {
        if (styles[i] != style) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < length && styles[i] == style) {
            ++i;
        }
        parts.push_back(text.substr(start, i - start));
    }
    return parts;
}

LineIndentState IndentStateOf(std::string_view text, std::span<const unsigned char> styles,
                              const LanguageDef& language) {
    LineIndentState state = LineIndentState::None;
    if (AnyPartMatches(text, styles, language.statementIndent)) {
        state = LineIndentState::KeywordStart;
        if (AnyPartMatches(text, styles, language.statementEnd)) {
            state = LineIndentState::None;
        }
    }
    // Each part of the block-end style is tried against the end words, then the start words;
    // the last part that matches either decides.
    for (const std::string_view part : LinePartsInStyle(text, styles, language.blockEnd.style)) {
        if (RuleMatchesPart(language.blockEnd.words != nullptr ? language.blockEnd.words : "", part)) {
            state = LineIndentState::BlockEnd;
        }
        if (RuleMatchesPart(language.blockStart.words != nullptr ? language.blockStart.words : "", part)) {
            state = LineIndentState::BlockStart;
        }
    }
    return state;
}

bool HasBlockRules(const LanguageDef& language) {
    const auto has = [](const IndentRule& rule) { return rule.words != nullptr && rule.words[0] != '\0'; };
    return has(language.statementIndent) || has(language.blockStart) || has(language.blockEnd);
}

bool IsMarkableWord(std::string_view selection, char before, char after) {
    if (selection.empty()) {
        return false;
    }
    for (const char c : selection) {
        if (!IsWordByte(c)) {
            return false;
        }
    }
    return !(before != 0 && IsWordByte(before)) && !(after != 0 && IsWordByte(after));
}

}  // namespace kelpo
