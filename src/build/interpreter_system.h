// The interpreter's effects on this machine for one program folder: processes, files, consoles,
// conversion and project creation. The console program and the editor add how the user is told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "build/interpret.h"
#include "build/text_sink.h"

namespace kelpo {

class SystemInterpreterEffects : public InterpreterEffects {
public:
    explicit SystemInterpreterEffects(std::wstring programFolder) : programFolder_(std::move(programFolder)) {}

    std::wstring ProgramFolder() override { return programFolder_; }
    std::wstring DefaultDir() override;
    std::vector<const ToolDef*> InstalledTools() override;
    PathKind KindOf(const std::wstring& path) override;
    bool StartProgram(const std::wstring& commandLine) override;
    bool CreateProject(const std::wstring& folder) override;
    bool ConvertFile(const std::wstring& path) override;
    BuildEnvironment ComposeEnvironment(unsigned code) override;
    bool WriteEnvironmentBatch(const BuildEnvironment& environment) override;
    int OpenBuildConsole(const std::wstring& commandLine, const std::wstring& workingFolder, bool wait,
                         const BuildEnvironment& environment) override;

protected:
    // Whether an existing output file may be replaced.
    virtual bool AskReplace(const std::wstring& path) = 0;
    // Standard output for the ANSI messages of conversion, creation and consoles.
    TextSink AnsiOutput();

private:
    std::wstring programFolder_;
};

// Starts a program with its window shown normally, without inherited handles and without
// waiting; true when it started.
bool StartDetachedProgram(const std::wstring& commandLine);

// A command text split into arguments as a Windows command line is; none when it cannot be.
std::optional<std::vector<std::wstring>> SplitArguments(const std::wstring& text);

}  // namespace kelpo
