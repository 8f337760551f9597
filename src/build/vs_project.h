// A Visual Studio project reduced to what a converted "build.tvk" holds, the filter that keeps
// its buildable sources, the checks it must pass, and the converted file's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// Filled by one of the readers (vs_project_readers.h). The numbers keep the readers' codes, so
// values a reader cannot map are still caught by ValidateVsProject.
struct VsProject {
    std::string name;
    std::string includes;  // ";"-separated, copied unchanged
    std::string libPaths;
    std::string libs;
    std::string macros;
    int targetType = 0;      // 1 program, 2 dynamic library, 3 static library
    int useOfMfc = 0;        // 0 none, 1 static, 2 shared
    int characterSet = 0;    // 0 not set, 1 Unicode, 2 multi-byte
    int runtimeLibrary = 0;  // 0 static, 1 static debug, 2 shared, 3 shared debug
    std::vector<std::string> sources;
    // The texts are UTF-8 (an XML file without another declared encoding) rather than the ANSI
    // code page the project file is written in.
    bool textsAreUtf8 = false;
};

// Appends the path when it names a C, C++, resource or module-definition file (the extension
// compared without regard to case), less a leading ".\"; drops everything else.
void AddVsSource(VsProject& project, std::string_view path);

// The message for the first value that cannot be converted, or nothing when all can. Checked
// before anything is written, so a refused project leaves no file behind.
std::optional<std::string> ValidateVsProject(const VsProject& project);

// The macros without empty entries, the configuration's own (NDEBUG, WIN32, _CONSOLE, _DEBUG)
// and inherited references (any entry with "%").
std::string FilterVsMacros(std::string_view macros);

// The converted layout of "build.tvk" with CR LF line ends. Only for a project that passed
// ValidateVsProject.
std::string ConvertedProjectText(const VsProject& project);

}  // namespace kelpo
