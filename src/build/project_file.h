// The contents of a project file "build.tvk" as plain data: what to build, from which sources,
// and the commands around the build. Read by project_file_reader, written by project_file_writer.
#pragma once

#include <string>
#include <vector>

namespace kelpo {

// An empty text or list means the key was absent or empty; the build engine supplies defaults.
struct ProjectFile {
    std::string targetName;  // base name of the output file
    std::string targetType;  // "EXE", "DLL", "SYS" or "LIB"
    std::string runtimeLib;  // "LIBCMT", "MFCSTATIC", "MFCDLL", "MSVCRXX" or "NONE"
    std::string useUnicode;  // "1" or "0"
    std::string pch;         // precompiled header, e.g. "stdafx.h"
    std::vector<std::string> macros;
    std::vector<std::string> includes;
    std::vector<std::string> libs;
    std::vector<std::string> libPaths;
    std::string cFlags;
    std::string lFlags;
    std::string rFlags;
    std::string aFlags;
    std::string as;  // assembler to use
    std::vector<std::string> sources;  // relative to the project folder
    std::vector<std::string> dirs;     // folders of sub-projects, built in this order
    std::vector<std::string> preBuild;   // command lines run before the build
    std::vector<std::string> postBuild;  // command lines run after the build
    std::string arguments;  // command line for running the built program

    bool operator==(const ProjectFile&) const = default;
};

// Where and why a project file could not be read; lines count from 1.
struct ProjectFileError {
    int line = 0;
    std::string message;
};

}  // namespace kelpo
