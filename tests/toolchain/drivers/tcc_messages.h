// Puts tcc's messages and dependency lists into the forms MSVC tools print, so that what reads a
// real compiler's output (the editor's output pane, Ninja's msvc deps mode) reads ours too.
//
// Message numbers are fixed, one per kind: compiler errors C0001, compiler warnings C4000, linker and
// librarian errors LNK0001, their warnings LNK4000.
#pragma once

#include <string>
#include <vector>

namespace toolchain {

enum class Tool { Compiler, Linker, Librarian };

// "file:line: error: text" -> "file(line) : error C0001: text"; "tcc: error: text" -> "cl : error C0001: text"
// (LINK, LIB for the others); "file: error: text" -> "file : error ...". Other lines come back unchanged.
std::string TranslateTccMessage(const std::string& line, Tool tool);

// The headers of a dependency list that tcc -MD writes ("target: \\\n  source \\\n  header ..."), the
// source itself left out, each made absolute against currentFolder and written with backslashes.
std::vector<std::string> IncludedFiles(const std::string& depfileText, const std::string& currentFolder);

// The line cl /showIncludes prints for one header.
std::string ShowIncludesLine(const std::string& header);

}  // namespace toolchain
