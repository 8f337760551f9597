// The sort command's line comparison through the system's locale-aware string comparison.
#pragma once

#include "lang/line_transforms.h"

namespace kelpo {

// CompareStringEx of the user's locale when kernel32 offers it, else CompareStringW; ignore case
// with option 4, digit runs as numbers with option 8 (CompareStringEx only). A comparison the
// system cannot make falls back to code units, so the order stays defined.
LineComparer SystemLineComparer(const SortOptions& options);

}  // namespace kelpo
