// One run of build.exe: reads vc.mk, the project file (and every project of its Dirs= lists),
// writes each project's build.ninja and runs Ninja on it. Needs no window and no file system of
// its own: everything goes through EngineSystem.
#pragma once

#include <string>

#include "command_line.h"
#include "engine_system.h"

namespace kelpo::engine {

// `request.project` is absolute; `programFolder` holds vc.mk, ninja.exe and the fallback build.xml.
// The configuration comes from the environment: BuildTool, BuildArch, BuildType, IntDir (all
// needed), OutputRoot (output goes below the project's own folder when it is empty) and Path (where
// the compiler and linker are looked up). Every fault prints a line with "error " in it naming the
// file (and line where there is one). The result is the exit code: 0 when everything asked for
// was built (and, for BuildAndRun, the program ended with 0), 1 otherwise.
int RunEngine(const EngineRequest& request, const std::string& programFolder, EngineSystem& system);

}  // namespace kelpo::engine
