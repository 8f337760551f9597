// Menu item bitmaps from the command icon strip; the bitmaps live as long as the process.
#include "app/menu_icons.h"

#include <vector>

#include "app/command_icons.h"
#include "base/app_state.h"

namespace kelpo {

void ApplyCommandMenuIcons(HMENU menu) {
    static std::vector<unique_hbitmap> bitmaps;
    if (bitmaps.empty()) {
        const unique_hbitmap strip = LoadCommandIconStrip(App().instance, 16);
        if (!strip) {
            return;
        }
        bitmaps = CutMenuBitmaps(strip.get(), MenuBitmapAlphaForSystem());
    }
    if (menu != nullptr) {
        ApplyMenuIcons(menu, bitmaps);
    }
}

}  // namespace kelpo
