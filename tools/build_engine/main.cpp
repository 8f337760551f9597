// build.exe: the build engine the editor starts for a project file ("-z FLAG PATH") and users start
// for a project folder ("[switches] FOLDER"), in the environment of one build configuration.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "engine.h"
#include "engine_paths.h"
#include "windows_system.h"

namespace {

std::string ProgramFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return kelpo::engine::ParentFolder(kelpo::engine::AnsiFromWide(std::wstring_view(path.data(), length)));
}

std::string FullPath(const std::string& path) {
    const std::wstring wide = kelpo::engine::WideFromAnsi(path);
    std::vector<wchar_t> full(32768);
    const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return path;
    }
    return kelpo::engine::AnsiFromWide(std::wstring_view(full.data(), length));
}

int Main() {
    kelpo::engine::WindowsSystem system;
    const std::string commandLine = kelpo::engine::AnsiFromWide(GetCommandLineW());
    kelpo::engine::EngineRequest request;
    std::string error;
    if (!kelpo::engine::ParseCommandLine(kelpo::engine::SkipProgramName(commandLine), request, error)) {
        system.Print("error : " + error);
        std::string_view usage = kelpo::engine::UsageText();
        for (std::size_t end; (end = usage.find('\n')) != std::string_view::npos; usage.remove_prefix(end + 1)) {
            system.Print(usage.substr(0, end));
        }
        return 2;
    }
    request.project = kelpo::engine::NormalPath(FullPath(request.project));
    return kelpo::engine::RunEngine(request, ProgramFolder(), system);
}

}  // namespace

int main() {
    try {
        return Main();
    } catch (const std::exception& exception) {
        kelpo::engine::WindowsSystem().Print(std::string("error : build.exe stopped: ") + exception.what());
        return 1;
    }
}
