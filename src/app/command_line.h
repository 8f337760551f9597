// The command-line syntax: file paths, the -line:X[,Y] switch and the installer switches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// A file named on the command line with the caret placement that applies to it.
struct FileArgument {
    std::wstring path;    // as given; relative paths are resolved by the caller
    bool hasLine = false; // a -line: switch came before it
    int line = 0;         // 1-based; -1 means the end of the document
    int column = 1;       // 1-based
    friend bool operator==(const FileArgument&, const FileArgument&) = default;
};

// True for "-x", "/x" and "\x" where x is not a second backslash (that is a network path).
bool IsSwitch(std::wstring_view argument);
// "-line:...", "/LINE:..." and "\line:...".
bool IsLineSwitch(std::wstring_view argument);
// The switches that mean nothing here, in order ("/home/x.c" from a Unix shell is one of them).
std::vector<std::wstring> IgnoredSwitches(const std::vector<std::wstring>& args);
// The file arguments in order; args excludes the program name.
std::vector<FileArgument> ParseFileArguments(const std::vector<std::wstring>& args);

enum class InstallerAction { None, PostInstall, Uninstall };
// "-xi", "/xu", "\XI"...: the first installer switch among the arguments (program name excluded).
InstallerAction FindInstallerSwitch(const std::vector<std::wstring>& args);

// The usage text shown by the usage dialog.
extern const wchar_t kUsageText[];

}  // namespace kelpo
