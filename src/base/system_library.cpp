#include "base/system_library.h"

namespace kelpo {

FARPROC SystemLibraryFunction(const wchar_t* library, const char* name) {
    // Never freed: the functions found stay valid for the rest of the process.
    HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr) {
        module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace kelpo
