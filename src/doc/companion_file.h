// The header of a source file and the sources of a header, for switching between the two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// The files to try in order: for ".c", ".cpp" and ".cxx" the ".h" file; for ".h" and ".hxx" the
// ".c", ".cpp", ".cxx" and ".cc" files. Other extensions (compared without regard to case) have none.
std::vector<std::wstring> CompanionFileCandidates(std::wstring_view path);

}  // namespace kelpo
