// Filling a recent pop-up menu.
#include "doc/recent_menu.h"

#include "doc/recent_menu_label.h"

namespace kelpo {

void FillRecentMenu(HMENU popup, const RecentList& list, int firstCommand) {
    for (int count = ::GetMenuItemCount(popup); count > 1; --count) {
        ::DeleteMenu(popup, 1, MF_BYPOSITION);
    }
    ::EnableMenuItem(popup, 0, MF_BYPOSITION | (list.Empty() ? MF_GRAYED : MF_ENABLED));
    if (list.Empty()) {
        return;
    }
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < list.Count(); ++i) {
        ::AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(firstCommand + i), RecentMenuLabel(i, list[i]).c_str());
    }
}

}  // namespace kelpo
