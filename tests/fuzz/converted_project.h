// The check shared by the Visual Studio fuzz entries: a project a reader accepts and the checks
// pass converts into a "build.tvk" that the build engine reads back with the same contents.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "build/project_file.h"
#include "build/project_file_reader.h"
#include "build/vs_project.h"

namespace kelpo::fuzz {

inline std::string_view TrimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

inline void CheckConversion(const VsProject& project) {
    if (ValidateVsProject(project)) return;
    const std::string text = ConvertedProjectText(project);
    ProjectFile read;
    ProjectFileError error;
    if (!ReadProjectFile(text, read, error)) {
        std::fprintf(stderr, "converted file refused at line %d: %s\n", error.line, error.message.c_str());
        std::abort();
    }
    if (read.targetName != TrimmedBlanks(project.name) || read.sources.size() != project.sources.size()) {
        std::fprintf(stderr, "converted file reads back otherwise\n");
        std::abort();
    }
    for (std::size_t i = 0; i < read.sources.size(); ++i) {
        if (read.sources[i] != TrimmedBlanks(project.sources[i])) std::abort();
    }
}

}  // namespace kelpo::fuzz
