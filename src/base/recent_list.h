// A bounded most-recent-first list of texts, de-duplicated without regard to case; the
// recent files, recent projects and search histories are each one of these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

inline constexpr int kRecentListSlots = 30;

// Equality without regard to case. This one folds ASCII and Latin-1 letters; the program
// hands its lists the file system's own comparison.
bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);

class RecentList {
public:
    using SameText = bool (*)(std::wstring_view, std::wstring_view);

    explicit RecentList(int limit = 0, SameText sameText = SameTextIgnoringCase);

    // Puts the text first: an entry equal to it moves to the front keeping its own spelling,
    // otherwise the text is inserted and, when the list is full, the last entry dropped.
    // A list with limit 0 ignores it, and so it does an empty text.
    void AddRecent(std::wstring_view text);
    void ClearRecent();
    // Limits above the slot count (or below 0) are ignored and give false; entries beyond
    // a lower limit are dropped and do not come back when it is raised again.
    bool SetRecentLimit(int limit);
    // Lines read from the file, appended in order until the limit; empty lines and lines
    // equal to an earlier entry are passed over. Does not count as a change.
    void AppendLoaded(const std::vector<std::wstring>& lines);

    int Count() const { return static_cast<int>(entries_.size()); }
    int Limit() const { return limit_; }
    bool Empty() const { return entries_.empty(); }
    // The entry at the index, or null when the index is not in use.
    const std::wstring* At(int index) const;
    const std::wstring& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }
    const std::vector<std::wstring>& Entries() const { return entries_; }

    // Set by every change, cleared once the list has been written.
    bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }

private:
    int IndexOf(std::wstring_view text) const;

    std::vector<std::wstring> entries_;
    int limit_;
    SameText sameText_;
    bool changed_ = false;
};

}  // namespace kelpo
