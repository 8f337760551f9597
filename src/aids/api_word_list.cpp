// The API word list: entries split from the file text, searched by bisection.
#include "aids/api_word_list.h"

#include <algorithm>

namespace kelpo {
namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = static_cast<unsigned char>(FoldCase(a[i]));
        const unsigned char y = static_cast<unsigned char>(FoldCase(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool ByFoldedName(std::string_view a, std::string_view b) {
    const int names = CompareFolded(ApiEntryName(a), ApiEntryName(b));
    return names != 0 ? names < 0 : CompareFolded(a, b) < 0;
}

}  // namespace

std::string_view ApiEntryName(std::string_view entry) {
    std::string_view name = entry.substr(0, entry.find('('));
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return name;
}

void ApiWordList::Assign(std::string text) {
    text_ = std::move(text);
    entries_.clear();
    byBytes_.clear();
    byName_.clear();
    const std::string_view all = text_;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        if (end > start) {
            entries_.push_back(all.substr(start, end - start));
        }
        start = end + 1;
    }
}

std::vector<std::string_view> ApiWordList::NamesStartingWith(std::string_view root) {
    if (byBytes_.empty()) {
        byBytes_ = entries_;
        std::sort(byBytes_.begin(), byBytes_.end());
    }
    std::vector<std::string_view> names;
    for (auto it = std::lower_bound(byBytes_.begin(), byBytes_.end(), root);
         it != byBytes_.end() && it->starts_with(root); ++it) {
        names.push_back(ApiEntryName(*it));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string_view> ApiWordList::EntriesNamed(std::string_view word) {
    if (byName_.empty()) {
        byName_ = entries_;
        std::sort(byName_.begin(), byName_.end(), ByFoldedName);
    }
    auto first = std::lower_bound(byName_.begin(), byName_.end(), word, [](std::string_view entry, std::string_view w) {
        return CompareFolded(ApiEntryName(entry), w) < 0;
    });
    std::vector<std::string_view> matches;
    for (; first != byName_.end() && CompareFolded(ApiEntryName(*first), word) == 0; ++first) {
        matches.push_back(*first);
    }
    return matches;
}

}  // namespace kelpo
