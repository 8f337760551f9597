// Fuzz entry for the API word list and its call tips: any list file loads, the names found for
// a word are entries of the list, and any entry composes a tip whose highlight lies inside it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "aids/api_word_list.h"
#include "aids/call_tip_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks how much of the first entry's name is typed.
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    // Completion asks for the word before the caret: word characters only.
    std::string root(kelpo::ApiEntryName(firstLine).substr(0, data[0] % 8));
    root.erase(std::find_if_not(root.begin(), root.end(), kelpo::IsCompletionWordChar), root.end());

    kelpo::ApiWordList list;
    list.Assign(std::move(text));
    for (const std::string_view name : list.NamesStartingWith(root)) {
        if (!name.starts_with(root)) std::abort();
    }
    const std::vector<std::string_view> entries = list.EntriesNamed(kelpo::ApiEntryName(firstLine));
    for (const std::string_view entry : entries) {
        const std::string tip = kelpo::ComposeCallTip(entry, static_cast<int>(entries.size()));
        for (int commas = 0; commas < 4; ++commas) {
            const auto [start, end] = kelpo::ParameterHighlight(tip, commas);
            if (start < 0 || start > end || static_cast<std::size_t>(end) > tip.size()) std::abort();
        }
    }
    // The caret anywhere on the line as the first entry stands there.
    for (int caret = 0; caret <= static_cast<int>(firstLine.size()); caret += 1 + caret / 4) {
        if (const auto site = kelpo::FindCallTipSite(firstLine, caret)) {
            if (site->wordStart < 0 || site->wordStart > site->wordEnd || site->wordEnd > caret) std::abort();
            const auto start = static_cast<std::size_t>(site->wordStart);
            kelpo::CountArgumentCommas(std::string_view(firstLine).substr(start, caret - start));
        }
    }
    return 0;
}
