// Call tips in text: finding the call around the caret and marking its current parameter.
#include "aids/call_tip_text.h"

namespace kelpo {
namespace {

bool IsBlankOrControl(char c) { return c == ' ' || (c >= 9 && c <= 13); }

// The offset of the nearest "(" left of `from` that is not closed before it, or -1.
int OpenParenthesisBefore(std::string_view line, int from) {
    int closed = 0;
    for (int i = from - 1; i >= 0; --i) {
        if (line[i] == ')') {
            ++closed;
        } else if (line[i] == '(') {
            if (closed == 0) {
                return i;
            }
            --closed;
        }
    }
    return -1;
}

}  // namespace

bool IsCompletionWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::optional<CallTipSite> FindCallTipSite(std::string_view line, int caretOffset) {
    int from = std::min<int>(caretOffset, static_cast<int>(line.size()));
    while (true) {
        const int parenthesis = OpenParenthesisBefore(line, from);
        if (parenthesis < 0) {
            return std::nullopt;
        }
        int end = parenthesis;
        while (end > 0 && IsBlankOrControl(line[end - 1])) {
            --end;
        }
        if (end > 0 && IsCompletionWordChar(line[end - 1])) {
            int start = end;
            while (start > 0 && IsCompletionWordChar(line[start - 1])) {
                --start;
            }
            return CallTipSite{std::string(line.substr(start, end - start)), start, end};
        }
        from = parenthesis;  // "(x + (y" - an expression in brackets: look further left
    }
}

std::string ComposeCallTip(std::string_view entry, int signatureCount) {
    const bool several = signatureCount > 1;
    std::string tip = several ? "\1" : "";
    tip += entry;
    const std::size_t bar = tip.find('|');
    const bool splitAtBar = bar != std::string::npos && bar > 1 && bar + 1 < tip.size();
    if (splitAtBar) {
        tip[bar] = '\n';
        if (several) {
            tip.insert(bar + 1, 1, '\2');
        }
    } else if (several) {
        tip += "\n\2";
    }
    return tip;
}

int CountArgumentCommas(std::string_view fromNameToCaret) {
    int level = 0;
    int commas = 0;
    for (const char c : fromNameToCaret) {
        if (c == '(') {
            ++level;
        } else if (c == ')') {
            if (level > 0) --level;
        } else if (c == ',' && level == 1) {
            ++commas;
        }
    }
    return commas;
}

std::pair<int, int> ParameterHighlight(std::string_view tip, int commas) {
    std::size_t start = tip.find('(');
    start = start == std::string_view::npos ? tip.size() : start + 1;
    for (; commas > 0 && start < tip.size() && tip[start] != ')'; ++start) {
        if (tip[start] == ',') {
            --commas;
        }
    }
    if (start < tip.size() && tip[start] == ',') {
        ++start;
    }
    std::size_t end = tip.find_first_of(",)", start);
    if (end == std::string_view::npos) {
        end = tip.size();
    }
    return {static_cast<int>(start), static_cast<int>(end)};
}

}  // namespace kelpo
