// What the installer's switches ask of the program.
#pragma once

#include "app/command_line.h"
#include "base/app_paths.h"

namespace kelpo {

void RunInstallerAction(InstallerAction action, const AppPaths& paths);

}  // namespace kelpo
