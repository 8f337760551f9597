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

// A value as the project file gives it back: line breaks made blanks, blanks around it dropped.
inline std::string ReadBack(std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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
    // The name, a file name, loses any backslashes at its end.
    std::string name = ReadBack(project.name);
    name.erase(name.find_last_not_of(" \t\\") + 1);
    if (read.targetName != name || read.sources.size() != project.sources.size()) {
        std::fprintf(stderr, "converted file reads back otherwise\n");
        std::abort();
    }
    for (std::size_t i = 0; i < read.sources.size(); ++i) {
        if (read.sources[i] != ReadBack(project.sources[i])) std::abort();
    }
}

}  // namespace kelpo::fuzz
