// Which open project file a build command applies to.
#pragma once

#include <string>

namespace kelpo {

// The current document when it is a project file; else the first tab holding the active project
// when there is one, else the first project file in tab order. Empty when none qualifies or when
// no document is open.
std::wstring ProjectForBuild();

}  // namespace kelpo
