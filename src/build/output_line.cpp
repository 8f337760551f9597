// Output-line reading for the double click of the output pane.
#include "build/output_line.h"

#include <optional>

#include "doc/message_line.h"

namespace kelpo {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.remove_suffix(1);
    }
    return text;
}

std::wstring Resolved(std::wstring_view name, std::wstring_view buildFolder) {
    if (name.size() >= 2 && name[1] == L':') {
        return std::wstring(name);
    }
    return std::wstring(buildFolder) + std::wstring(name);
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

OutputLineTarget ReadOutputLine(std::wstring_view text, std::wstring_view buildFolder) {
    text = Trimmed(text);
    OutputLineTarget target;
    if (text.size() < 2) {
        return target;
    }
    if (text.find(L") : ") != std::wstring_view::npos || text.find(L"): ") != std::wstring_view::npos) {
        const std::optional<MessageLocation> location = ParseMessageLine(text);
        if (location) {
            target.action = OutputLineAction::OpenFile;
            target.files.push_back(Resolved(location->file, buildFolder));
            target.line = location->line;
        }
        return target;
    }
    for (const std::wstring_view prefix : {std::wstring_view(L"Linking "), std::wstring_view(L"OutputFile ")}) {
        if (StartsWith(text, prefix)) {
            target.action = OutputLineAction::ShowFile;
            target.files.push_back(Resolved(text.substr(prefix.size()), buildFolder));
            return target;
        }
    }
    target.action = OutputLineAction::OpenFile;
    target.files.push_back(Resolved(text, buildFolder));
    const std::size_t colon = text.rfind(L':');
    if (colon != std::wstring_view::npos && colon > 1) {  // at 1 it would be the whole text again
        target.files.push_back(Resolved(text.substr(colon - 1), buildFolder));
    }
    return target;
}

}  // namespace kelpo
