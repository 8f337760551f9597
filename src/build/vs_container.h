// The member projects of a workspace (.dsw) or solution (.sln), and the folder list file that
// names their converted project files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// Member paths as written in the file, in file order. Lines of any length are read whole.
// Workspace: lines "Project: ...=.\<path> - Package...".
std::vector<std::string> WorkspaceMembers(std::string_view bytes);
// Solution: lines "Project(...) = ..., "<path>"...", the second field; solution folders included.
std::vector<std::string> SolutionMembers(std::string_view bytes);

// "Dirs=\" and one indented line per member with its extension replaced by "tvk"; lines end
// in LF only.
std::string FolderListText(const std::vector<std::string>& members);

// The path with the text after its last "." replaced by "tvk"; a path without "." is unchanged.
std::string WithTvkExtension(std::string_view path);

}  // namespace kelpo
