// Command windows with the environment of a configuration, and the same environment written out
// as a batch file for a command window that is already open.
#pragma once

#include <string>
#include <string_view>

#include "build/build_environment.h"
#include "build/text_sink.h"

namespace kelpo {

// Starts the command line (or "cmd.exe /K cls") in a console titled "Tarvik <configuration>" with
// the given environment, or one composed for the code when none is given, in the working folder.
// With `wait` the result is the process's exit code, else 0; 1 when it could not be started or
// the environment could not be composed. Failures are written to the sink.
int OpenBuildConsole(const std::wstring* commandLine, const std::wstring& workingFolder, unsigned code, bool wait,
                     const BuildEnvironment* environment, const TextSink& out);

// A plain "cmd.exe" with the editor's own environment, for when no configuration is chosen.
bool OpenPlainConsole(const std::wstring& workingFolder);

// The text of "tarvik_env.bat": "@echo off", the title and one "set" line per string of the
// block, lines ending in CR LF, in the ANSI code page.
std::string EnvironmentBatchText(std::wstring_view configurationName, std::wstring_view block);

// Writes "tarvik_env.bat" into the temporary folder through the whole-file writer and tells the
// sink how to run it; a failed write is told as an "Error : " line. False on failure.
bool WriteEnvironmentBatch(const std::wstring& tempFolder, const BuildEnvironment& environment, const TextSink& out);

}  // namespace kelpo
