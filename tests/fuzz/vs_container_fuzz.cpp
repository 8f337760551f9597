// Fuzz entry for workspaces (.dsw) and solutions (.sln): the members are read from any bytes,
// and their folder list is a project file the build engine reads back with every member.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "build/project_file.h"
#include "build/project_file_reader.h"
#include "build/vs_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string> members =
        (data[0] & 1) != 0 ? kelpo::SolutionMembers(bytes) : kelpo::WorkspaceMembers(bytes);
    if (members.size() < 2) return 0;  // a folder list is written for two or more
    kelpo::ProjectFile list;
    kelpo::ProjectFileError error;
    if (!kelpo::ReadProjectFile(kelpo::FolderListText(members), list, error)) {
        std::fprintf(stderr, "folder list refused at line %d: %s\n", error.line, error.message.c_str());
        std::abort();
    }
    // A blank member names no folder and leaves an empty line of the list.
    const auto named = static_cast<std::size_t>(std::count_if(members.begin(), members.end(), [](const std::string& m) {
        return m.find_first_not_of(" \t") != std::string::npos;
    }));
    if (list.dirs.size() != named) {
        std::fprintf(stderr, "%zu members, %zu read back\n", named, list.dirs.size());
        std::abort();
    }
    return 0;
}
