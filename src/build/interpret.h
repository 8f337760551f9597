// The command interpreter of the build front end: "tarvik create", "convert", "list", "config"
// and build requests, or any other program. The console program tarvik.exe and the user commands
// of the windowed editor run the same interpreter and differ only in its effects.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_configuration.h"
#include "build/build_environment.h"

namespace kelpo {

enum class PathKind { None, File, Folder };

class InterpreterEffects {
public:
    virtual ~InterpreterEffects() = default;

    // Standard output, usually whole lines.
    virtual void Print(std::wstring_view text) = 0;
    // An error the user must see and acknowledge (a message box in the editor).
    virtual void ShowError(const std::wstring& text, const std::wstring& caption) = 0;
    // A failure the interpreter's result does not carry, because a chain goes on after it.
    virtual void NoteFailure() = 0;

    virtual std::wstring ProgramFolder() = 0;  // with a trailing backslash
    virtual std::wstring DefaultDir() = 0;
    virtual std::vector<const ToolDef*> InstalledTools() = 0;
    virtual PathKind KindOf(const std::wstring& path) = 0;

    // Starts a program without waiting; true when it started.
    virtual bool StartProgram(const std::wstring& commandLine) = 0;
    virtual bool CreateProject(const std::wstring& folder) = 0;
    virtual bool ConvertFile(const std::wstring& path) = 0;
    virtual BuildEnvironment ComposeEnvironment(unsigned code) = 0;
    virtual bool WriteEnvironmentBatch(const BuildEnvironment& environment) = 0;
    // A console window titled with the configuration; with `wait` the exit code, else 0.
    virtual int OpenBuildConsole(const std::wstring& commandLine, const std::wstring& workingFolder, bool wait,
                                 const BuildEnvironment& environment) = 0;
};

inline constexpr wchar_t kTarvikUsage[] =
    L"tarvik usage:\n  tarvik create <dir>\n  tarvik convert <.dsw/.sln/.dsp/.vcproj/.vcxproj>\n  tarvik list\n"
    "  tarvik config <cfg>\n";

// Runs one command, split into arguments, with its raw text for a program to start. 0 is success;
// a chain stops at the first other result. A program other than tarvik counts as success once it
// has started, so that a chain goes on after it.
int Interpret(const std::vector<std::wstring>& arguments, const std::wstring& rawText, InterpreterEffects& effects);

// Splits one command of a chain into arguments as a Windows command line is; none when it cannot.
using ArgumentSplitter = std::function<std::optional<std::vector<std::wstring>>(const std::wstring& command)>;

// Runs the commands of a "&" chain in order, skipping one that cannot be split, and stops at the
// first whose result is not 0, which is returned. A command past 511 characters runs nothing.
int InterpretChain(const std::wstring& text, InterpreterEffects& effects, const ArgumentSplitter& split);

// The argument's file name begins with "tarvik" without regard to case.
bool NamesTarvik(const std::wstring& program);

}  // namespace kelpo
