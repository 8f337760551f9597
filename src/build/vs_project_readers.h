// Readers of the three Visual Studio project formats, from the file's bytes into a VsProject.
// Only the "Release|Win32" configuration supplies compiler and linker settings.
#pragma once

#include <string_view>

#include "build/vs_project.h"

namespace kelpo {

// MSBuild XML: false unless the root is Project and holds at least one ItemGroup.
bool ReadVcxproj(std::string_view bytes, VsProject& project);
// The older XML format: false unless the root is VisualStudioProject with a Files child.
bool ReadVcproj(std::string_view bytes, VsProject& project);
// The text format: false unless at least one SOURCE= line is present.
bool ReadDsp(std::string_view bytes, VsProject& project);

}  // namespace kelpo
