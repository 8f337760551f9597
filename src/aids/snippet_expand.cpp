// Snippet expansion into a growing string, so that bodies and values of any length fit.
#include "aids/snippet_expand.h"

namespace kelpo {
namespace {

constexpr std::size_t kLongestPlaceholder = 256;

bool EndsWithModifier(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

// The value of the placeholder's inner text (between "$(" and ")"), or none when unknown.
std::optional<std::string> PlaceholderValue(std::string_view inner, const VariableContext& context) {
    CaseModifier modifier = CaseModifier::None;
    std::string_view name = inner;
    if (const std::size_t colon = inner.find(':'); colon != std::string_view::npos) {
        const std::string_view rest = inner.substr(colon + 1);
        if (EndsWithModifier(rest, "upper")) {
            modifier = CaseModifier::Upper;
            name = inner.substr(0, colon);
        } else if (EndsWithModifier(rest, "lower")) {
            modifier = CaseModifier::Lower;
            name = inner.substr(0, colon);
        }
    }
    return LookupVariable(name, modifier, context);
}

}  // namespace

std::string ExpandSnippet(std::string_view text, std::string_view indentation, SnippetLineEnd lineEnd,
                          const VariableContext& context) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            const bool dropped = (c == '\r' && lineEnd == SnippetLineEnd::Lf) || (c == '\n' && lineEnd == SnippetLineEnd::Cr);
            if (!dropped) {
                out += c;
                if (c == '\n' || lineEnd == SnippetLineEnd::Cr) {
                    out += indentation;
                }
            }
            ++i;
            continue;
        }
        if (c == '$' && i + 1 < text.size() && text[i + 1] == '(') {
            const std::size_t close = text.find(')', i + 2);
            if (close != std::string_view::npos && close - (i + 2) < kLongestPlaceholder) {
                if (std::optional<std::string> value = PlaceholderValue(text.substr(i + 2, close - (i + 2)), context)) {
                    out += *value;
                    i = close + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

std::string IndentationText(int columns, int tabWidth, bool useTabs) {
    if (columns <= 0) {
        return {};
    }
    if (!useTabs || tabWidth <= 0) {
        return std::string(static_cast<std::size_t>(columns), ' ');
    }
    return std::string(static_cast<std::size_t>(columns / tabWidth), '\t') +
           std::string(static_cast<std::size_t>(columns % tabWidth), ' ');
}

std::size_t CaretMarkOffset(std::string_view text) { return text.find('|'); }

}  // namespace kelpo
