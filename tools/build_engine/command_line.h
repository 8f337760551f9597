// The two command lines of build.exe: "-z FLAG PATH" from the editor's build commands and
// "[switches] FOLDER" from build requests typed by the user.
#pragma once

#include <string>
#include <string_view>

namespace kelpo::engine {

enum class BuildAction { Build, Rebuild, Clean, BuildAndRun };

struct EngineRequest {
    BuildAction action = BuildAction::Build;
    std::string project;          // a project file or a folder holding "build.tvk", as given
    bool ignoreFailures = false;  // go on past a failed project of a Dirs= list
    bool verbose = false;         // show every command line Ninja runs
    int jobs = 0;                 // parallel commands; 0 leaves it to Ninja
};

// The command line without the program name (see SkipProgramName).
//   -z FLAG PATH     FLAG is "" (build), "/r" (rebuild), "/c" (clean) or "/t" (build, then run);
//                    PATH is the rest of the line, blanks included, and needs no quotes.
//   [switches] PATH  switches start with "-" or "/": -i ignore failures, -r rebuild, -c clean,
//                    -t build and run, -v verbose, -jN at most N commands at once.
// False with a message when the line asks for nothing this program knows.
bool ParseCommandLine(std::string_view arguments, EngineRequest& request, std::string& error);

// The command line after the program's own name, which may be quoted.
std::string_view SkipProgramName(std::string_view commandLine);

// Usage text printed for a wrong command line.
std::string_view UsageText();

}  // namespace kelpo::engine
