// Windows command-line words: splitting (as the C run-time and response files do) and quoting
// for process creation, plus @response-file expansion. No windows here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace toolchain {

std::vector<std::string> SplitCommandLine(const std::string& text);
std::string QuoteArgument(const std::string& argument);
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// Replaces each "@file" argument by the words of that file; readFile gives nothing for a missing file,
// in which case the name of the file is returned through missing and the result is empty.
std::vector<std::string> ExpandResponseFiles(const std::vector<std::string>& arguments,
                                             const std::function<std::optional<std::string>(const std::string&)>& readFile,
                                             std::string& missing);

// The ";"-separated non-empty elements of a path list such as INCLUDE or LIB.
std::vector<std::string> SplitPathList(const std::string& list);

}  // namespace toolchain
