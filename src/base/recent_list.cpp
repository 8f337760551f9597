// The recent-list rules: moving to the front, dropping the oldest, limits.
#include "base/recent_list.h"

#include <algorithm>

namespace kelpo {
namespace {

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        return static_cast<wchar_t>(c + (L'a' - L'A'));
    }
    // Latin-1 capitals U+00C0..U+00DE, apart from the multiplication sign U+00D7.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<wchar_t>(c + 0x20);
    }
    return c;
}

}  // namespace

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

RecentList::RecentList(int limit, SameText sameText)
    : limit_(std::clamp(limit, 0, kRecentListSlots)), sameText_(sameText != nullptr ? sameText : SameTextIgnoringCase) {}

int RecentList::IndexOf(std::wstring_view text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (sameText_(entries_[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void RecentList::AddRecent(std::wstring_view text) {
    if (limit_ == 0 || text.empty()) {
        return;
    }
    if (const int index = IndexOf(text); index >= 0) {
        std::rotate(entries_.begin(), entries_.begin() + index, entries_.begin() + index + 1);
    } else {
        if (Count() >= limit_) {
            entries_.resize(static_cast<std::size_t>(limit_ - 1));
        }
        entries_.insert(entries_.begin(), std::wstring(text));
    }
    changed_ = true;
}

void RecentList::ClearRecent() {
    entries_.clear();
    changed_ = true;
}

bool RecentList::SetRecentLimit(int limit) {
    if (limit < 0 || limit > kRecentListSlots) {
        return false;
    }
    if (Count() > limit) {
        entries_.resize(static_cast<std::size_t>(limit));
        changed_ = true;
    }
    limit_ = limit;
    return true;
}

void RecentList::AppendLoaded(const std::vector<std::wstring>& lines) {
    for (const std::wstring& line : lines) {
        if (Count() >= limit_) {
            return;
        }
        if (!line.empty() && IndexOf(line) < 0) {
            entries_.push_back(line);
        }
    }
}

const std::wstring* RecentList::At(int index) const {
    return index >= 0 && index < Count() ? &entries_[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace kelpo
