// Looks SetWindowTheme up at run time, so the program still starts where the library is absent.
#include "lang/explorer_theme.h"

#include "base/handles.h"

namespace kelpo {

void ApplyExplorerTheme(HWND control) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const unique_hmodule library(::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    static const auto setWindowTheme =
        library ? reinterpret_cast<SetWindowThemeFn>(
                      reinterpret_cast<void*>(::GetProcAddress(library.get(), "SetWindowTheme")))
                : nullptr;
    if (setWindowTheme != nullptr && control != nullptr) setWindowTheme(control, L"Explorer", nullptr);
}

}  // namespace kelpo
