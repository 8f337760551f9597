// Colour mode through the theme library's unnamed exports, looked up at run time.
#include "app/color_mode.h"

#include <windows.h>

#include "base/system_library.h"

namespace kelpo {
namespace {

// Exported by ordinal only, from Windows 10 1903 on.
using SetPreferredAppModeFn = int(WINAPI*)(int);
constexpr WORD kSetPreferredAppModeOrdinal = 135;
constexpr int kAppModeDefault = 0;
constexpr int kAppModeForceDark = 2;

DWORD WindowsBuildNumber() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                  reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
    OSVERSIONINFOW info{sizeof(OSVERSIONINFOW)};
    if (getVersion == nullptr || getVersion(&info) != 0 || info.dwMajorVersion < 10) {
        return 0;
    }
    return info.dwBuildNumber;
}

}  // namespace

bool SystemPrefersDarkApps() {
    DWORD light = 1;
    DWORD size = sizeof(light);
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER,
                                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                          L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

void ApplyColorMode(int mode) {
    if (WindowsBuildNumber() < 18362) {
        return;
    }
    const auto setMode = reinterpret_cast<SetPreferredAppModeFn>(reinterpret_cast<void*>(
        SystemLibraryFunction(L"uxtheme.dll", MAKEINTRESOURCEA(kSetPreferredAppModeOrdinal))));
    if (setMode == nullptr) {
        return;
    }
    const bool dark = mode == 1 || (mode == 2 && SystemPrefersDarkApps());
    setMode(dark ? kAppModeForceDark : kAppModeDefault);
}

}  // namespace kelpo
