// Keys of the favourites organiser: new, find, delete, rename and moving entries.
#include "app/organizer_keys.h"

namespace kelpo {

HACCEL CreateOrganizerAccelerators() {
    constexpr BYTE kCtrl = FVIRTKEY | FNOINVERT | FCONTROL;
    constexpr BYTE kAlt = FVIRTKEY | FNOINVERT | FALT;
    constexpr BYTE kPlain = FVIRTKEY | FNOINVERT;
    ACCEL table[] = {
        {kCtrl, 'N', 3},   {kCtrl, 'F', 4},   {kCtrl, 'D', 5},      {kCtrl, 'S', 6},  {kCtrl, VK_UP, 11},
        {kCtrl, VK_DOWN, 12}, {kPlain, VK_DELETE, 13}, {kPlain, VK_F2, 14}, {kAlt, 'N', 15}, {kAlt, 'P', 16},
        {kAlt, 'E', 17},   {kAlt, 'A', 18},   {kAlt, 'F', 19},
    };
    return ::CreateAcceleratorTableW(table, ARRAYSIZE(table));
}

}  // namespace kelpo
