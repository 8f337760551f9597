// The environment block a compiling process gets for one configuration, composed from scratch:
// the tool's "config.ini", the settings of "tarvik.ini" and four things of the editor's own.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelpo {

struct BuildEnvironment {
    std::wstring block;              // "NAME=value\0...NAME=value\0\0"; empty when refused
    std::wstring configurationName;
    std::string error;               // an "Error : ...\n" line (ANSI) when the block could not be made
};

// Everything the composition reads, gathered beforehand so that it is a pure function.
struct EnvironmentInputs {
    std::wstring programFolder;  // with a trailing backslash
    std::wstring outputRoot;     // "tarvik.ini" settings, empty when unset
    std::wstring globalBin;
    std::wstring globalInclude;
    std::vector<std::wstring> variables;  // lines of section "Variable", in file order
    // The tool's "config.ini" values that were found, already substituted and expanded, by key.
    std::map<std::wstring, std::wstring> toolValues;
    std::wstring tempFolder;     // with a trailing backslash, as the system reports it
    std::wstring windowsFolder;
    bool host64 = true;          // the host processor is x64 or ARM64 (native system information)
    std::optional<std::wstring> processorArchitecture;  // the editor's own, when it has one
    std::optional<std::wstring> systemDrive;
};

// One "NAME=value" string may hold at most this many characters, the largest environment
// variable Windows documents.
inline constexpr std::size_t kMaxEnvironmentString = 32767;
// The whole block is refused past this many characters (with its closing NULs). Windows has set
// no fixed size for a block handed to CreateProcessW since Vista (older systems took 32767
// characters in all); the cap keeps a runaway "Variable" section from handing megabytes to every
// compiler run.
inline constexpr std::size_t kMaxEnvironmentBlock = 16 * kMaxEnvironmentString;

// The "config.ini" keys the composition may use.
std::vector<std::wstring> ToolValueKeys();

// The block for a code with a debug or release type: TarvikDir, BuildTool, BuildArch, BuildType,
// IntDir, OutputRoot, Tmp, Temp, PROCESSOR_ARCHITECTURE, SystemDrive, SystemRoot, Path, INCLUDE,
// LIB, DDK_INC, DDK_LIB and the "Variable" lines, in that order. Another type gives an empty
// result without an error. A string or the whole block past the limits above gives no block and
// an error naming the variable.
BuildEnvironment ComposeEnvironmentBlock(unsigned code, const EnvironmentInputs& inputs);

// The inputs of this machine for a code: "tarvik.ini" and the tool's "config.ini" in the program
// folder, the system's folders, the host processor and the editor's own environment.
EnvironmentInputs GatherEnvironmentInputs(unsigned code, const std::wstring& programFolder);

// ComposeEnvironmentBlock over GatherEnvironmentInputs; program folder: App().paths.folder.
BuildEnvironment ComposeEnvironment(unsigned code);

}  // namespace kelpo
