// Entry point of kelpo.exe.
#include <windows.h>

#include <exception>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        kelpo::RunKelpo(instance);
    } catch (const std::exception&) {
        // Out of memory or a similar failure before or after the loop: end quietly.
    }
    return 0;
}
