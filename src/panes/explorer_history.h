// The explorer's back and forward history: two rings of eight entries each. Pushing onto a full
// ring drops its oldest entry.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace kelpo {

template <typename Entry, std::size_t Capacity = 8>
class HistoryRing {
public:
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // Stores the entry after the newest one; a full ring gives up (and destroys) its oldest.
    void Push(Entry entry) {
        newest_ = (newest_ + 1) % Capacity;
        slots_[newest_] = std::move(entry);
        if (size_ < Capacity) ++size_;
    }

    // Takes the newest entry out.
    std::optional<Entry> Pop() {
        if (size_ == 0) return std::nullopt;
        std::optional<Entry> entry(std::move(slots_[newest_]));
        slots_[newest_] = Entry();
        newest_ = (newest_ + Capacity - 1) % Capacity;
        --size_;
        return entry;
    }

    // Entry 0 is the newest.
    const Entry& At(std::size_t index) const { return slots_[(newest_ + Capacity - index) % Capacity]; }

    void Clear() {
        while (Pop()) {
        }
    }

private:
    std::array<Entry, Capacity> slots_{};
    std::size_t newest_ = Capacity - 1;
    std::size_t size_ = 0;
};

// Going to the entry `index` of `from` (0 the newest): the current entry and every entry skipped
// over move onto `to`, the nearest last, and the chosen entry is taken out. Nothing for an index
// past the ring's entries.
template <typename Entry, std::size_t Capacity>
std::optional<Entry> StepThroughHistory(HistoryRing<Entry, Capacity>& from, HistoryRing<Entry, Capacity>& to,
                                        std::size_t index, Entry current) {
    if (index >= from.Size()) return std::nullopt;
    to.Push(std::move(current));
    for (std::size_t i = 0; i < index; ++i) {
        to.Push(std::move(*from.Pop()));
    }
    return from.Pop();
}

}  // namespace kelpo
