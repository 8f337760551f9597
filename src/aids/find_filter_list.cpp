// Wildcard matching with one remembered "*" to go back to: linear in practice, never exponential.
#include "aids/find_filter_list.h"

#include <algorithm>
#include <cstddef>

namespace kelpo {
namespace {

// Upper case for the letters file names use most: ASCII, Latin-1, basic Greek and Cyrillic.
wchar_t Fold(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
    if (c < 0xE0) return c;
    if ((c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    return c;
}

// What may remain of a pattern when the name is used up: stars only, or stars and then ".*" (a
// run of stars is one star, so "**.*" is "*.*").
bool MatchesEmptyRest(std::wstring_view rest) {
    const std::size_t stars = rest.find_first_not_of(L'*');
    return stars == std::wstring_view::npos || (stars > 0 && rest.substr(stars) == L".*");
}

bool PatternMatches(std::wstring_view pattern, std::wstring_view name) {
    constexpr std::size_t kNone = std::wstring_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = kNone;  // the last "*" seen and where in the name it stands
    std::size_t starN = 0;
    for (;;) {
        if (n == name.size()) {
            if (MatchesEmptyRest(pattern.substr(p))) return true;
            if (starP != kNone && MatchesEmptyRest(pattern.substr(starP))) return true;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
            continue;
        } else if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
            continue;
        }
        // Let the last "*" take one more character and try again from there.
        if (starP == kNone || starN >= name.size()) return false;
        p = starP + 1;
        n = ++starN;
    }
}

}  // namespace

bool FilterListMatches(std::wstring_view list, std::wstring_view name) {
    bool anyPattern = false;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(L';', start);
        if (end == std::wstring_view::npos) end = list.size();
        std::wstring_view pattern = list.substr(start, end - start);
        pattern.remove_prefix(std::min(pattern.size(), pattern.find_first_not_of(L' ')));
        if (!pattern.empty()) {
            anyPattern = true;
            if (PatternMatches(pattern, name)) return true;
        }
        start = end + 1;
    }
    // A list of nothing but separators and spaces filters nothing, like an empty one.
    return !anyPattern;
}

}  // namespace kelpo
