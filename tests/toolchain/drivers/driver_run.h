// The Windows side of the driver programs: their arguments, files, and running tcc.exe with its
// output put into MSVC's forms.
#pragma once

#include "msvc_options.h"
#include "tcc_messages.h"

#include <optional>
#include <string>
#include <vector>

namespace toolchain {

// argv after the program name, with @response files expanded; nothing and a printed error (under the
// tool's name, e.g. "cl") when one is missing.
std::optional<std::vector<std::string>> DriverArguments(int argc, char** argv, const char* toolName);

std::string EnvironmentValue(const char* name);
std::string CurrentFolder();
std::string ProgramFolder();  // of the running driver; tcc.exe and its include/ and lib/ lie there
std::optional<std::string> ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

// Runs a program with standard output and error on one pipe, in folder (or the current one when empty);
// its exit code, or nothing when it did not start.
std::optional<unsigned long> RunCapturing(const std::string& program, const std::vector<std::string>& arguments,
                                          std::string& output, const std::string& folder);

// Prints the plan's warnings, then does its runs in order; the exit code for the driver (0 only when every
// run succeeded and left its output; a failed run's output is removed).
int ExecutePlan(const DriverPlan& plan, Tool tool);

}  // namespace toolchain
