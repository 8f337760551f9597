// What the installer's switches ask of the program.
#pragma once

#include "app/app_paths.h"
#include "app/command_line.h"

namespace kelpo {

void RunInstallerAction(InstallerAction action, const AppPaths& paths);

}  // namespace kelpo
