// Looks SetWindowTheme up at run time, so the program still starts where the library is absent.
#include "lang/explorer_theme.h"

#include "base/system_library.h"

namespace kelpo {

void ApplyExplorerTheme(HWND control) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setWindowTheme = reinterpret_cast<SetWindowThemeFn>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"uxtheme.dll", "SetWindowTheme")));
    if (setWindowTheme != nullptr && control != nullptr) setWindowTheme(control, L"Explorer", nullptr);
}

}  // namespace kelpo
