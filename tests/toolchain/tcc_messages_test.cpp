// tcc's messages and dependency lists in the forms MSVC tools print.
#include "drivers/tcc_messages.h"

#include <gtest/gtest.h>

using namespace toolchain;

TEST(TccMessages, BecomeMsvcMessages) {
    const struct {
        const char* tcc;
        Tool tool;
        const char* msvc;
    } cases[] = {
        {"main.c:12: error: 'x' undeclared", Tool::Compiler, "main.c(12) : error C0001: 'x' undeclared"},
        {"C:\\src\\a b.c:3: warning: assignment makes integer from pointer", Tool::Compiler,
         "C:\\src\\a b.c(3) : warning C4000: assignment makes integer from pointer"},
        {"sub/x.h:1: error: ';' expected (got \"int\")", Tool::Compiler, "sub/x.h(1) : error C0001: ';' expected (got \"int\")"},
        {"tcc: error: file 'nope.c' not found", Tool::Compiler, "cl : error C0001: file 'nope.c' not found"},
        {"tcc: error: undefined symbol 'greet'", Tool::Linker, "LINK : error LNK0001: undefined symbol 'greet'"},
        {"tcc: warning: -m32 ignored", Tool::Librarian, "LIB : warning LNK4000: -m32 ignored"},
        {"C:\\o\\bad.obj: error: unrecognized file type", Tool::Linker,
         "C:\\o\\bad.obj : error LNK0001: unrecognized file type"},
        {"In file included from main.c:2:", Tool::Compiler, "In file included from main.c:2:"},
        {"error: at the start", Tool::Compiler, "error: at the start"},
        {"", Tool::Compiler, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TranslateTccMessage(c.tcc, c.tool), c.msvc) << c.tcc;
    }
}

TEST(TccMessages, DependencyListsGiveAbsoluteHeadersWithoutTheSource) {
    const struct {
        const char* depfile;
        const char* folder;
        std::vector<std::string> headers;
    } cases[] = {
        {"obj\\main.obj: \\\n  main.c \\\n  greet.h \\\n  ./inc/../inc/util.h\n", "C:\\proj",
         {"C:\\proj\\greet.h", "C:\\proj\\inc\\util.h"}},
        {"main.obj: \\\r\n  C:/src/main.c \\\r\n  C:/other/x.h\r\n", "C:\\proj", {"C:\\other\\x.h"}},
        {"main.obj: \\\n  main.c\n", "C:\\proj", {}},
        {"", "C:\\proj", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IncludedFiles(c.depfile, c.folder), c.headers) << c.depfile;
    }
    EXPECT_EQ(ShowIncludesLine("C:\\proj\\greet.h"), "Note: including file: C:\\proj\\greet.h");
}
