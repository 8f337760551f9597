// Fuzz entry for file name filter lists: the matcher agrees with a plain recursive reading of
// the wildcards written here, on any list and name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "aids/find_filter_list.h"
#include "fuzz/fuzz_input.h"

namespace {

wchar_t Fold(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
    if (c < 0xE0) return c;
    if ((c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    return c;
}

// Every way of letting each "*" take a run, remembered per position pair.
class Reference {
public:
    Reference(std::wstring_view pattern, std::wstring_view name)
        : pattern_(pattern), name_(name), seen_((pattern.size() + 1) * (name.size() + 1), -1) {}

    bool Matches(std::size_t p, std::size_t n) {
        signed char& memo = seen_[p * (name_.size() + 1) + n];
        if (memo < 0) memo = Compute(p, n) ? 1 : 0;
        return memo == 1;
    }

private:
    bool Compute(std::size_t p, std::size_t n) {
        const std::wstring_view rest = pattern_.substr(p);
        if (n == name_.size() && (rest == L"*.*" || rest.find_first_not_of(L'*') == rest.npos)) return true;
        if (p == pattern_.size()) return false;
        if (pattern_[p] == L'*') return Matches(p + 1, n) || (n < name_.size() && Matches(p, n + 1));
        const bool same = n < name_.size() && (pattern_[p] == L'?' || Fold(pattern_[p]) == Fold(name_[n]));
        return same && Matches(p + 1, n + 1);
    }

    std::wstring_view pattern_;
    std::wstring_view name_;
    std::vector<signed char> seen_;
};

bool ReferenceListMatches(std::wstring_view list, std::wstring_view name) {
    bool anyPattern = false;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(L';', start);
        if (end == list.npos) end = list.size();
        std::wstring_view pattern = list.substr(start, end - start);
        while (!pattern.empty() && pattern.front() == L' ') pattern.remove_prefix(1);
        if (!pattern.empty()) {
            anyPattern = true;
            if (Reference(pattern, name).Matches(0, 0)) return true;
        }
        start = end + 1;
    }
    return !anyPattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 600) return 0;  // the reference is quadratic
    const std::vector<std::string_view> pieces = kelpo::fuzz::Pieces(data, size, 2, '\n');
    // Byte pairs would hardly ever spell the ASCII of a pattern; Latin-1 bytes cover the folding.
    const std::wstring list = kelpo::fuzz::Widen(pieces[0]);
    const std::wstring name = kelpo::fuzz::Widen(pieces[1]);
    if (name.empty()) return 0;  // the walk hands over file names, never an empty one
    if (kelpo::FilterListMatches(list, name) != ReferenceListMatches(list, name)) std::abort();
    return 0;
}
