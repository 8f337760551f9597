// Ninja's output as the output pane gets it.
#include <gtest/gtest.h>

#include "build_engine/ninja_output.h"

namespace kelpo::engine {
namespace {

TEST(NinjaOutput, KeepsTheToolsLinesAndShortensNinjas) {
    const struct {
        bool verbose;
        std::vector<const char*> lines;
        std::vector<const char*> shown;
        int compiles;
    } cases[] = {
        {false,
         {"[1/3] Compiling main.c", "[2/3] Compiling util.c", "[3/3] Linking C:\\o\\app.exe"},
         {"Compiling main.c", "Compiling util.c", "Linking C:\\o\\app.exe"},
         2},
        {false,
         {"[1/2] Compiling util.c", "FAILED: util.obj ", "C:\\vc\\cl.exe /c C:\\p\\util.c /Foutil.obj",
          "C:/p/util.c(3) : error C0001: ';' expected", "C:/p/a.h(1,5): warning C4000: x/y",
          "x/y(1a) : z", "x/y(3)z", "ninja: build stopped: subcommand failed."},
         {"Compiling util.c", "FAILED: util.obj ", "C:\\p\\util.c(3) : error C0001: ';' expected",
          "C:\\p\\a.h(1,5): warning C4000: x/y", "x/y(1a) : z", "x/y(3)z"},
         1},
        {true,
         {"FAILED: util.obj", "cl /c util.c", "[x/y] not a counter", "[12/] neither"},
         {"FAILED: util.obj", "cl /c util.c", "[x/y] not a counter", "[12/] neither"},
         0},
        {false,
         {"ninja: no work to do.", "ninja: error: loading 'build.ninja': missing", "ninja: warning: old log",
          "ninja: Entering directory `C:\\o'", "Assembling x.asm"},
         {"ninja: no work to do.", "ninja : error : loading 'build.ninja': missing", "ninja : warning : old log",
          "Assembling x.asm"},
         1},
    };
    for (const auto& c : cases) {
        NinjaOutputFilter filter(c.verbose);
        std::vector<std::string> shown;
        for (const char* line : c.lines) {
            if (auto text = filter.Filter(line)) {
                shown.push_back(*text);
            }
        }
        EXPECT_EQ(shown, std::vector<std::string>(c.shown.begin(), c.shown.end())) << c.lines.front();
        EXPECT_EQ(filter.CompileCount(), c.compiles) << c.lines.front();
    }
}

}  // namespace
}  // namespace kelpo::engine
