// Entry point of tarvik.exe: one interpreter command from the command line. The exit code is the
// interpreter's result, or 1 when it reported a failure that its result does not carry.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "build/interpret.h"
#include "build/tarvik_settings.h"
#include "console_effects.h"

namespace {

std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.rfind(L'\\') + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const std::wstring folder = OwnFolder();
        kelpo::SetTarvikDirVariable(folder);
        kelpo::ConsoleEffects effects(folder);
        const std::vector<std::wstring> arguments(argv, argv + argc);
        const int result = kelpo::Interpret(arguments, ::GetCommandLineW(), effects);
        return result != 0 ? result : (effects.Failed() ? 1 : 0);
    } catch (const std::exception&) {
        return 1;
    }
}
