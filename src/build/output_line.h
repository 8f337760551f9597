// What a double click on a line of the output pane points at: a compiler message's file and
// line, a produced file to show, or a file named by the whole line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

enum class OutputLineAction {
    None,      // the line names nothing
    OpenFile,  // open the first of `files` that opens; at `line` when it is above 0
    ShowFile,  // show files[0] selected in its folder ("Linking " and "OutputFile " lines)
};

struct OutputLineTarget {
    OutputLineAction action = OutputLineAction::None;
    std::vector<std::wstring> files;  // absolute or resolved against the build folder
    int line = 0;                     // 1-based; 0 when the line names no number
};

// Reads one output line. Names whose second character is not ":" are relative and are put after
// `buildFolder` (which ends with a backslash). A line with ") : " or "): " is a message line
// even when no "(" makes it one; otherwise "Linking " and "OutputFile " name a produced file,
// and anything else is tried as a file name, whole and then from the drive letter before its
// last ":".
OutputLineTarget ReadOutputLine(std::wstring_view text, std::wstring_view buildFolder);

}  // namespace kelpo
