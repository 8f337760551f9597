// Opening the files named on a command line, ours or one handed over by a second start.
#pragma once

namespace kelpo {

// Splits the command line (null: this process's), skips the program name, opens every file
// argument relative to baseDirectory (null: the current directory) and places the caret as the
// -line: switches say. Returns the number of file arguments, whether or not they opened.
int ParseCommandLine(const wchar_t* baseDirectory, const wchar_t* commandLine);

}  // namespace kelpo
