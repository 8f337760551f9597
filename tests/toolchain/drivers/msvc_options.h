// Turns the command lines a build engine gives cl.exe, link.exe and lib.exe into runs of tcc.
// Options tcc has no counterpart for are dropped; unknown ones draw cl's own command-line warning.
#pragma once

#include <string>
#include <vector>

namespace toolchain {

// One run of tcc.exe and what it must leave behind.
struct TccRun {
    std::vector<std::string> arguments;  // without the program name
    std::string output;                  // the file that must exist after a successful run
    std::string source;                  // cl echoes it before the run; empty for link and lib
    std::string depfile;                 // with /showIncludes: the dependency list tcc writes
};

struct DriverPlan {
    std::vector<TccRun> runs;
    std::vector<std::string> libraries;    // link: libraries named on the command line, resolved by the driver
    std::vector<std::string> libraryPaths; // link: /LIBPATH folders, then those of LIB
    std::string importLibrary;             // link /DLL /IMPLIB: where the export list tcc writes goes
    std::vector<std::string> warnings;     // complete lines to print before running
    std::string error;                     // not empty: a complete line to print; nothing is run
    bool showIncludes = false;
};

// includeVariable and libVariable are the values of INCLUDE and LIB (";"-separated folders).
DriverPlan PlanCompile(const std::vector<std::string>& arguments, const std::string& includeVariable);
DriverPlan PlanLink(const std::vector<std::string>& arguments, const std::string& libVariable);
DriverPlan PlanLibrary(const std::vector<std::string>& arguments);

// rc.exe: the .res file named by /fo (or the script's name with .res); empty with error set when the
// command line names no script.
struct ResourcePlan {
    std::string script;
    std::string output;
    std::string error;
};
ResourcePlan PlanResource(const std::vector<std::string>& arguments);

// Helpers shared with the drivers.
std::string FileStem(const std::string& path);            // "C:\a\b.c" -> "b"
std::string ReplaceExtension(const std::string& path, const std::string& extension);
bool IsAbsolutePath(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace toolchain
