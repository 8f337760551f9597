// Row comparisons of the window-list dialog.
#include "doc/window_list_rows.h"

namespace kelpo {
namespace {

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

wchar_t FoldCase(wchar_t c) {
    const bool asciiUpper = c >= L'A' && c <= L'Z';
    const bool latin1Upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;  // 0xD7 is the multiplication sign
    return (asciiUpper || latin1Upper) ? static_cast<wchar_t>(c + 0x20) : c;
}

}  // namespace

int CompareTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (const int order = Order(FoldCase(a[i]), FoldCase(b[i])); order != 0) {
            return order;
        }
    }
    return Order(a.size(), b.size());
}

int CompareWindowListRows(const WindowListRow& a, const WindowListRow& b, WindowListColumn column,
                          TextComparison compareText) {
    switch (column) {
    case WindowListColumn::Position:
        return Order(a.position, b.position);
    case WindowListColumn::Name:
        return compareText(a.name, b.name);
    case WindowListColumn::Path:
        return compareText(a.path, b.path);
    case WindowListColumn::Extension:
        return compareText(a.extension, b.extension);
    case WindowListColumn::Length:
        return Order(a.length, b.length);
    case WindowListColumn::Lines:
        return Order(a.lineCount, b.lineCount);
    case WindowListColumn::FileTime:
        return Order(a.fileTime, b.fileTime);
    }
    return 0;
}

void WindowListSort::Click(WindowListColumn column) {
    if (sorted_ && column == column_) {
        ascending_ = !ascending_;
        return;
    }
    sorted_ = true;
    column_ = column;
    ascending_ = true;
}

int WindowListSort::Compare(const WindowListRow& a, const WindowListRow& b, TextComparison compareText) const {
    int order = CompareWindowListRows(a, b, column_, compareText);
    if (order != 0) {
        order = order < 0 ? -1 : 1;  // a system comparison may answer with any magnitude
        return ascending_ ? order : -order;
    }
    return Order(a.position, b.position);
}

}  // namespace kelpo
