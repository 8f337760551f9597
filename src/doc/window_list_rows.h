// The rows of the window-list dialog and the orders the dialog sorts them in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelpo {

struct WindowListRow {
    int position = 0;  // 1-based tab position
    std::wstring name;
    std::wstring path;
    std::wstring extension;
    std::int64_t length = 0;     // bytes of text
    std::int64_t lineCount = 0;
    std::uint64_t fileTime = 0;  // the file's last-write time as one number; 0 when unknown
};

enum class WindowListColumn : int { Position, Name, Path, Extension, Length, Lines, FileTime };
inline constexpr int kWindowListColumnCount = 7;

// Negative, zero or positive like strcmp.
using TextComparison = int (*)(std::wstring_view, std::wstring_view);

// Ordinal comparison with ASCII and Latin-1 letters folded to lower case; the dialog passes the
// system's own case-insensitive comparison instead.
int CompareTextIgnoringCase(std::wstring_view a, std::wstring_view b);

// Numbers compare as numbers, texts through `compareText`, file times as times.
int CompareWindowListRows(const WindowListRow& a, const WindowListRow& b, WindowListColumn column,
                          TextComparison compareText = CompareTextIgnoringCase);

// The column the list is sorted by: a click on a new column sorts it ascending, every further
// click on the same column reverses the direction.
class WindowListSort {
public:
    void Click(WindowListColumn column);
    bool IsSorted() const { return sorted_; }
    WindowListColumn Column() const { return column_; }
    bool Ascending() const { return ascending_; }
    // The order of two rows under the current sort; equal keys keep the tab order.
    int Compare(const WindowListRow& a, const WindowListRow& b,
                TextComparison compareText = CompareTextIgnoringCase) const;

private:
    bool sorted_ = false;
    WindowListColumn column_ = WindowListColumn::Position;
    bool ascending_ = true;
};

}  // namespace kelpo
