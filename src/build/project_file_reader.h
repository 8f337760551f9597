// Reads the text of a project file "build.tvk" into a ProjectFile, reporting the first fault
// with its line instead of guessing, so a typing error never builds something unintended.
#pragma once

#include <string_view>
#include <vector>

#include "build/project_file.h"

namespace kelpo {

// The text is 8-bit (lines end in CR LF or LF). Syntax:
// - KEY=value, the key at the start of the line (matched without regard to case); blanks and tabs
//   around a value or list item are not part of it. Unknown and repeated keys are faults.
// - A value ending in "\" continues on the next line, which must be indented; an empty line or the
//   end of the text ends it anyway. SOURCES and DIRS hold one item per line; MACROS, INCLUDES,
//   LIBS and LIBPATHS items are also separated by ";"; other values are joined with one blank.
// - "PREBUILD:" and "POSTBUILD:" open blocks of indented command lines, ended by an empty line or
//   a line that is not indented.
// - Empty lines separate groups and mean nothing else. There are no comments.
// TARGETTYPE, RUNTIMELIB and USEUNICODE must hold one of their values and are kept in capitals.
// On a fault returns false, fills `error` and leaves `project` partly filled.
bool ReadProjectFile(std::string_view text, ProjectFile& project, ProjectFileError& error);

// Where the list items stand in the text, one line number (from 1) per item, so a message about a
// missing source or sub-project can name its line.
struct ProjectFileLines {
    std::vector<int> sources;
    std::vector<int> dirs;
};

// As above, also filling `lines`.
bool ReadProjectFile(std::string_view text, ProjectFile& project, ProjectFileError& error, ProjectFileLines& lines);

}  // namespace kelpo
