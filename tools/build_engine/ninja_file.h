// Turns a project, the resolved rules of vc.mk and the additions of build.xml into the text of a
// "build.ninja": Ninja then does the scheduling, the header dependencies and the up-to-date check.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "build/project_file.h"
#include "tree_overrides.h"

namespace kelpo::engine {

struct NinjaInputs {
    std::string projectFile;    // absolute, named in the file's head
    std::string projectFolder;  // absolute; sources, INCLUDES and LIBPATHS are relative to it
    std::string targetPath;     // absolute path of the output file, shown by "Linking"
    std::string pchSource;      // absolute source that makes the precompiled header; empty without PCH
    std::vector<std::string> libraryFiles;  // LIBS found on disk: a newer one relinks the target
    std::map<std::string, std::string> rules;  // vc.mk resolved, programs as the commands name them
    ExtraFlags extra;
};

// The project has its defaults applied (project_setup.h). Outputs are relative to the folder the
// file is written to; sources are absolute, so compiler messages name them absolutely.
std::string WriteNinjaFile(const ProjectFile& project, const NinjaInputs& inputs);

// Ninja text for a path in a build line, and for a value.
std::string EscapeNinjaPath(std::string_view path);
std::string EscapeNinjaValue(std::string_view value);

}  // namespace kelpo::engine
