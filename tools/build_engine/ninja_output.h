// Ninja's output made short for the output pane: the compiler's and linker's own lines stay as they
// are, Ninja's progress counters, failed command lines and closing remarks go.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelpo::engine {

class NinjaOutputFilter {
public:
    explicit NinjaOutputFilter(bool verbose) : verbose_(verbose) {}

    // The line to show for one line of Ninja's output, or nothing.
    //   "[3/9] Compiling a.c"               -> "Compiling a.c"
    //   "FAILED: a.obj" + its command line  -> "FAILED: a.obj" (the command only when verbose)
    //   "ninja: error: x"                   -> "ninja : error : x" (likewise warnings)
    //   "ninja: build stopped: ..."         -> nothing: the engine says which project failed
    //   "C:/p/a.c(3) : error ..."           -> "C:\\p\\a.c(3) : error ..."
    std::optional<std::string> Filter(std::string_view line);

    // How many compiler and assembler runs Ninja started so far.
    int CompileCount() const { return compileCount_; }

private:
    bool verbose_;
    bool commandFollows_ = false;
    int compileCount_ = 0;
};

}  // namespace kelpo::engine
