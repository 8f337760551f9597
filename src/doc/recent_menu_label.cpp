// Numbered labels of the recent menus.
#include "doc/recent_menu_label.h"

namespace kelpo {

std::wstring RecentMenuLabel(int index, std::wstring_view path) {
    std::wstring label;
    if (index >= 0 && index < 9) {
        label = L"&";
        label += static_cast<wchar_t>(L'1' + index);
        label += L' ';
    }
    for (const wchar_t c : path) {
        label += c;
        if (c == L'&') {
            label += L'&';
        }
    }
    return label;
}

}  // namespace kelpo
