// The accelerator table of the favourites organiser dialog.
#pragma once

#include <windows.h>

namespace kelpo {

HACCEL CreateOrganizerAccelerators();

}  // namespace kelpo
