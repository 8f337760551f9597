// "build.ninja" as written for each kind of project: the steps, their inputs, and where the flags
// of build.tvk and build.xml land.
#include <gtest/gtest.h>

#include <functional>

#include "build_engine/ninja_file.h"
#include "build_engine/project_setup.h"

namespace kelpo::engine {
namespace {

NinjaInputs Inputs(const std::string& folder) {
    NinjaInputs inputs;
    inputs.projectFolder = folder;
    inputs.projectFile = folder + "\\build.tvk";
    inputs.targetPath = "C:\\out\\obj\\vc2022_x64_debug\\app.exe\\app.exe";
    inputs.rules = {{"compiler", "C:\\vc\\cl.exe"}, {"cflags", "/nologo"},  {"lflags", "/DEBUG"},
                    {"libs", "kernel32.lib"},      {"compile", "$compiler $cflags $pchflags /Fo$out $in"},
                    {"link", "link @$out.rsp"},     {"archive", "lib @$out.rsp"}};
    return inputs;
}

TEST(NinjaFile, WritesTheStepsOfEachKindOfProject) {
    const struct {
        const char* name;
        std::function<void(ProjectFile&, NinjaInputs&)> setUp;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    } cases[] = {
        {"program with resources and flags",
         [](ProjectFile& p, NinjaInputs& in) {
             p.sources = {"main.c", "util.c", "app.rc", "app.def", "util.h"};
             p.macros = {"FOO", "BAR=a b"};
             p.includes = {"my inc", "C:\\sdk\\include"};
             p.libs = {"ws2_32.lib"};
             p.libPaths = {"lib"};
             p.cFlags = "/W4 $x";
             in.extra.defines = {"TRACE"};
             in.extra.cflags = "/GS-";
             in.extra.libs = {"extra.lib"};
         },
         {"build main.obj: compile C$:\\p\\main.c\n  source = main.c\n",
          "build util.obj: compile C$:\\p\\util.c\n", "build app.res: resource C$:\\p\\app.rc\n",
          "build app.exe: link main.obj util.obj app.res | C$:\\p\\app.def\n", "default app.exe\n",
          "cflags = /nologo /GS- /DFOO /D\"BAR=a b\" /DTRACE /I\"C:\\p\\my inc\" /IC:\\sdk\\include /W4 $$x\n",
          "lflags = /DEBUG /LIBPATH:C:\\p\\lib /DEF:C:\\p\\app.def\n", "libs = ws2_32.lib extra.lib kernel32.lib\n",
          "rule compile\n  command = $compiler $cflags $pchflags /Fo$out $in\n  deps = msvc\n",
          "rule link\n  command = link @$out.rsp\n  rspfile = $out.rsp\n  rspfile_content = $in_newline\n"
          "  description = Linking $target\n",
          "target = C:\\out\\obj\\vc2022_x64_debug\\app.exe\\app.exe\n"},
         {"util.h", "rule archive", "pchflags = ", "rule assemble"}},
        {"static library",
         [](ProjectFile& p, NinjaInputs&) {
             p.targetName = "util";
             p.targetType = "LIB";
             p.sources = {"util.c", "util.def"};
         },
         {"rule archive\n", "build util.lib: archive util.obj\n", "default util.lib\n"},
         {"rule link", "/DEF:"}},
        {"precompiled header made by its own source",
         [](ProjectFile& p, NinjaInputs& in) {
             p.pch = "stdafx.h";
             p.sources = {"stdafx.cpp", "main.cpp", "plain.c"};
             in.pchSource = "C:\\p\\stdafx.cpp";
         },
         {"build stdafx.obj: compile C$:\\p\\stdafx.cpp\n  source = stdafx.cpp\n  pchflags = $pch_create\n",
          "build main.obj: compile C$:\\p\\main.cpp | stdafx.obj\n  source = main.cpp\n  pchflags = $pch_use\n",
          "build plain.obj: compile C$:\\p\\plain.c\n  source = plain.c\nbuild",
          "build app.exe: link stdafx.obj main.obj plain.obj\n", "pch = stdafx.h\n", "pchfile = app.pch\n"},
         {"stdafx.obj stdafx.obj"}},
        {"sources of the same name in different folders",
         [](ProjectFile& p, NinjaInputs&) { p.sources = {"src\\a.c", "lib\\a.c", "a.c", "a.cpp", "..\\common\\x.c"}; },
         {"build src\\a.obj: compile C$:\\p\\src\\a.c\n", "build lib\\a.obj: compile C$:\\p\\lib\\a.c\n",
          "build a.obj: compile C$:\\p\\a.c\n", "build a.cpp.obj: compile C$:\\p\\a.cpp\n",
          "build __\\common\\x.obj: compile C$:\\common\\x.c\n"},
         {}},
    };
    for (const auto& c : cases) {
        ProjectFile project;
        project.targetName = "app";
        NinjaInputs inputs = Inputs("C:\\p");
        c.setUp(project, inputs);
        ApplyProjectDefaults(project, "p");
        const std::string text = WriteNinjaFile(project, inputs);
        for (const char* part : c.present) {
            EXPECT_NE(text.find(part), std::string::npos) << c.name << ": " << part << "\n" << text;
        }
        for (const char* part : c.absent) {
            EXPECT_EQ(text.find(part), std::string::npos) << c.name << ": " << part << "\n" << text;
        }
    }
}

TEST(NinjaFile, EscapesBlanksAndColonsInPaths) {
    ProjectFile project;
    project.sources = {"my main.c"};
    ApplyProjectDefaults(project, "My App");
    const std::string text = WriteNinjaFile(project, Inputs("C:\\My Projects\\My App"));
    EXPECT_NE(text.find("build my$ main.obj: compile C$:\\My$ Projects\\My$ App\\my$ main.c\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("build My$ App.exe: link my$ main.obj\n"), std::string::npos) << text;
    EXPECT_NE(text.find("pdb = \"My App.pdb\"\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace kelpo::engine
