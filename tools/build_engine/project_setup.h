// The project as the engine builds it: defaults for keys left out of "build.tvk", the traits the
// rules are chosen by, the output file's name and the kind of each source.
#pragma once

#include <string>
#include <string_view>

#include "build/project_file.h"
#include "build_traits.h"

namespace kelpo::engine {

// The configuration as the environment names it (BuildTool, BuildArch, BuildType, IntDir).
struct BuildConfiguration {
    std::string tool;
    std::string arch;
    std::string type;
    std::string intDir;
};

// TARGETNAME defaults to the project folder's name, TARGETTYPE to EXE, RUNTIMELIB to LIBCMT (NONE
// for a driver), USEUNICODE to 0.
void ApplyProjectDefaults(ProjectFile& project, std::string_view folderName);

BuildTraits TraitsOf(const ProjectFile& project, const BuildConfiguration& configuration);

// "app.exe", "app.dll", "app.sys" or "app.lib".
std::string TargetFileName(const ProjectFile& project);

enum class SourceKind { Compile, Resource, Assemble, ModuleDefinition, LinkInput, Header, Unknown };

// By extension: .c .cpp .cxx .cc compile; .rc resource; .asm assemble; .def module definition;
// .obj .lib .res go to the linker as they are; .h .hpp .hxx .inl are skipped.
SourceKind KindOfSource(std::string_view path);

}  // namespace kelpo::engine
