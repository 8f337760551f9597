// Defaults and derived names of a project.
#include "project_setup.h"

#include <array>

#include "engine_paths.h"

namespace kelpo::engine {

void ApplyProjectDefaults(ProjectFile& project, std::string_view folderName) {
    if (project.targetName.empty()) {
        project.targetName = std::string(folderName);
    }
    if (project.targetType.empty()) {
        project.targetType = "EXE";
    }
    if (project.runtimeLib.empty()) {
        project.runtimeLib = project.targetType == "SYS" ? "NONE" : "LIBCMT";
    }
    if (project.useUnicode.empty()) {
        project.useUnicode = "0";
    }
}

BuildTraits TraitsOf(const ProjectFile& project, const BuildConfiguration& configuration) {
    BuildTraits traits;
    traits.tool = AsciiLower(configuration.tool);
    traits.arch = AsciiLower(configuration.arch);
    traits.type = AsciiLower(configuration.type);
    traits.targetType = AsciiLower(project.targetType);
    traits.runtimeLib = AsciiLower(project.runtimeLib);
    traits.unicode = project.useUnicode == "1";
    traits.pch = !project.pch.empty();
    return traits;
}

std::string TargetFileName(const ProjectFile& project) {
    return project.targetName + "." + AsciiLower(project.targetType);
}

SourceKind KindOfSource(std::string_view path) {
    struct Entry {
        std::string_view extension;
        SourceKind kind;
    };
    constexpr std::array<Entry, 14> kinds = {{
        {"c", SourceKind::Compile},       {"cpp", SourceKind::Compile},       {"cxx", SourceKind::Compile},
        {"cc", SourceKind::Compile},      {"rc", SourceKind::Resource},       {"asm", SourceKind::Assemble},
        {"def", SourceKind::ModuleDefinition}, {"obj", SourceKind::LinkInput}, {"lib", SourceKind::LinkInput},
        {"res", SourceKind::LinkInput},   {"h", SourceKind::Header},          {"hpp", SourceKind::Header},
        {"hxx", SourceKind::Header},      {"inl", SourceKind::Header},
    }};
    const std::string extension = AsciiLower(Extension(path));
    for (const Entry& entry : kinds) {
        if (entry.extension == extension) {
            return entry.kind;
        }
    }
    return SourceKind::Unknown;
}

}  // namespace kelpo::engine
