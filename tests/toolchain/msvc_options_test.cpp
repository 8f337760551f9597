// MSVC command lines turned into tcc runs.
#include "drivers/msvc_options.h"

#include <gtest/gtest.h>

using namespace toolchain;
using Words = std::vector<std::string>;

namespace {

struct ExpectedRun {
    Words arguments;
    std::string output;
};

void ExpectRuns(const DriverPlan& plan, const std::vector<ExpectedRun>& expected, const std::string& label) {
    EXPECT_EQ(plan.error, "") << label;
    ASSERT_EQ(plan.runs.size(), expected.size()) << label;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(plan.runs[i].arguments, expected[i].arguments) << label;
        EXPECT_EQ(plan.runs[i].output, expected[i].output) << label;
    }
}

}  // namespace

TEST(MsvcOptions, CompileCommandLines) {
    const struct {
        Words cl;
        const char* include;
        std::vector<ExpectedRun> runs;
    } cases[] = {
        {{"/nologo", "/c", "/Foobj\\main.obj", "/Fdobj\\vc.pdb", "/Zi", "/Od", "/MTd", "/W3", "/EHsc", "/TC", "main.c"},
         "",
         {{{"-g", "-D_MT", "-D_DEBUG", "-c", "main.c", "-o", "obj\\main.obj"}, "obj\\main.obj"}}},
        {{"-c", "/DWIN32", "/D", "NAME=\"x y\"", "/Iinc", "/I", "C:\\sdk", "/O2", "/MD", "/Yustdafx.h", "/Fpx.pch",
          "a.c", "b.c", "/Foout\\"},
         "C:\\t\\include;;C:\\t\\winapi;",
         {{{"-DWIN32", "-DNAME=\"x y\"", "-Iinc", "-IC:\\sdk", "-D_MT", "-D_DLL", "-isystem", "C:\\t\\include",
            "-isystem", "C:\\t\\winapi", "-c", "a.c", "-o", "out\\a.obj"},
           "out\\a.obj"},
          {{"-DWIN32", "-DNAME=\"x y\"", "-Iinc", "-IC:\\sdk", "-D_MT", "-D_DLL", "-isystem", "C:\\t\\include",
            "-isystem", "C:\\t\\winapi", "-c", "b.c", "-o", "out\\b.obj"},
           "out\\b.obj"}}},
        {{"/c", "/Fo:x.obj", "/WX", "/FIpre.h", "C:\\src\\x.c"},
         "",
         {{{"-Werror", "-include", "pre.h", "-c", "C:\\src\\x.c", "-o", "x.obj"}, "x.obj"}}},
        {{"/c", "/showIncludes", "/Yc", "C:\\src\\pch.c"},
         "",
         {{{"-c", "C:\\src\\pch.c", "-o", "pch.obj", "-MD", "-MF", "pch.obj.d"}, "pch.obj"}}},
        // Without /c cl links too, naming the program after the first source unless /Fe says otherwise.
        {{"hello.c", "util.obj", "user32.lib"}, "", {{{"hello.c", "util.obj", "user32.lib", "-o", "hello.exe"}, "hello.exe"}}},
        {{"/Fe:bin\\app.exe", "a.c", "b.c"}, "", {{{"a.c", "b.c", "-o", "bin\\app.exe"}, "bin\\app.exe"}}},
    };
    for (const auto& c : cases) {
        ExpectRuns(PlanCompile(c.cl, c.include), c.runs, c.cl.back());
    }
}

TEST(MsvcOptions, CompileCommandLineMistakes) {
    const struct {
        Words cl;
        const char* error;
    } cases[] = {
        {{"/c", "/nologo"}, "cl : Command line error D8003 : missing source filename"},
        {{"/c", "a.c", "/I"}, "cl : Command line error D8004 : '/I' requires an argument"},
        {{"/c", "/Fox.obj", "a.c", "b.c"}, "cl : Command line error D8036 : '/Fox.obj' not allowed with multiple source files"},
    };
    for (const auto& c : cases) {
        const DriverPlan plan = PlanCompile(c.cl, "");
        EXPECT_EQ(plan.error, c.error);
        EXPECT_TRUE(plan.runs.empty());
    }
    const DriverPlan plan = PlanCompile({"/c", "/Qspectre", "a.c"}, "");
    EXPECT_EQ(plan.warnings, Words{"cl : Command line warning D9002 : ignoring unknown option '/Qspectre'"});
    EXPECT_EQ(plan.runs.size(), 1u);
    EXPECT_TRUE(plan.showIncludes == false && plan.runs[0].depfile.empty());
}

TEST(MsvcOptions, LinkCommandLines) {
    const struct {
        Words link;
        const char* lib;
        ExpectedRun run;
        Words libraries;
        const char* importLibrary;
    } cases[] = {
        {{"/nologo", "/OUT:bin\\app.exe", "/DEBUG", "/SUBSYSTEM:CONSOLE", "/INCREMENTAL:NO", "/MACHINE:X64",
          "/PDB:app.pdb", "main.obj", "util.obj", "app.res", "kernel32.lib", "extra.lib"},
         "C:\\out\\lib\\vc2022_x64;C:\\t\\lib",
         {{"-Wl,-subsystem=console", "-LC:\\out\\lib\\vc2022_x64", "-LC:\\t\\lib", "main.obj", "util.obj", "-o",
           "bin\\app.exe"},
          "bin\\app.exe"},
         {"kernel32.lib", "extra.lib"},
         ""},
        {{"/dll", "/out:x.dll", "/implib:x.lib", "/subsystem:windows,6.0", "/LIBPATH:C:\\libs", "x.obj"},
         "",
         {{"-shared", "-Wl,-subsystem=gui", "-LC:\\libs", "x.obj", "-o", "x.dll"}, "x.dll"},
         {},
         "x.lib"},
        // A program has no import library; without /OUT the first object names the output.
        {{"/IMPLIB:y.lib", "first.obj", "second.obj"}, "", {{"first.obj", "second.obj", "-o", "first.exe"}, "first.exe"}, {}, ""},
    };
    for (const auto& c : cases) {
        const DriverPlan plan = PlanLink(c.link, c.lib);
        ExpectRuns(plan, {c.run}, c.link.back());
        EXPECT_EQ(plan.libraries, c.libraries);
        EXPECT_EQ(plan.importLibrary, c.importLibrary);
    }
    EXPECT_EQ(PlanLink({"/OUT:x.exe", "/NOLOGO"}, "").error, "LINK : fatal error LNK1561: entry point must be defined");
    EXPECT_EQ(PlanLink({"/frobnicate", "a.obj"}, "").warnings,
              Words{"LINK : warning LNK4044: unrecognized option '/frobnicate'; ignored"});
}

TEST(MsvcOptions, LibraryAndResourceCommandLines) {
    ExpectRuns(PlanLibrary({"/nologo", "/OUT:out\\util.lib", "/MACHINE:X64", "a.obj", "b.obj"}),
               {{{"-ar", "rcs", "out\\util.lib", "a.obj", "b.obj"}, "out\\util.lib"}}, "lib");
    ExpectRuns(PlanLibrary({"a.obj"}), {{{"-ar", "rcs", "a.lib", "a.obj"}, "a.lib"}}, "lib without /OUT");
    EXPECT_EQ(PlanLibrary({"/OUT:x.lib"}).error, "LIB : fatal error LNK1149: no input files");

    const struct {
        Words rc;
        const char* script;
        const char* output;
    } cases[] = {
        {{"/nologo", "/fo", "obj\\app.res", "/d", "NDEBUG", "app.rc"}, "app.rc", "obj\\app.res"},
        {{"/foobj\\x.res", "/l", "0x409", "res\\x.rc"}, "res\\x.rc", "obj\\x.res"},
        {{"/i", "inc", "C:\\r\\y.rc"}, "C:\\r\\y.rc", "C:\\r\\y.res"},
    };
    for (const auto& c : cases) {
        const ResourcePlan plan = PlanResource(c.rc);
        EXPECT_EQ(plan.script, c.script);
        EXPECT_EQ(plan.output, c.output);
        EXPECT_EQ(plan.error, "");
    }
    EXPECT_NE(PlanResource({"/fo", "x.res"}).error, "");
}
