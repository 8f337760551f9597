// Functions of system libraries that a start does not need, looked up when first wanted.
#pragma once

#include <windows.h>

namespace kelpo {

// A function of a library in the system folder, which is loaded on the first call and kept
// loaded; null when either cannot be found.
FARPROC SystemLibraryFunction(const wchar_t* library, const char* name);

}  // namespace kelpo
