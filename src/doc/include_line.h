// The file named by an #include line of C or C++ source.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelpo {

// The text between the quotes or angle brackets of `#include "name"` or `#include <name>`
// (spaces and tabs allowed around '#' and the keyword); nothing for any other line.
std::optional<std::string> IncludedFileName(std::string_view line);

}  // namespace kelpo
