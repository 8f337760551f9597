// Writes a ProjectFile as the text of "build.tvk" in the layout of a created project file, so a
// created file read and written again comes back byte for byte.
#pragma once

#include <string>

#include "build/project_file.h"

namespace kelpo {

// Lines end in CR LF. The header keys, then MACROS to LIBPATHS and CFLAGS to AS as groups after an
// empty line each (list items joined with ";"); SOURCES and DIRS, when not empty, one item per
// indented continuation line; then the PREBUILD: and POSTBUILD: blocks, each followed by an empty
// line, and ARGUMENTS. PCH is written only when set.
std::string WriteProjectFile(const ProjectFile& project);

}  // namespace kelpo
