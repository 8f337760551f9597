// The engine's run over a file system and programs held in memory: Dirs= lists (order, faults, -i),
// faults named with their file and line, clean and rebuild, and where the output goes.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "build_engine/engine.h"
#include "build_engine/engine_paths.h"

namespace kelpo::engine {
namespace {

constexpr const char* makeRules =
    "compiler = cl.exe\nlinker = link.exe\nlibrarian = lib.exe\n"
    "compile = $compiler /c $in\nlink = $linker @$out.rsp\narchive = $librarian @$out.rsp\n";

// Files and folders by path key; "ninja.exe" makes the default target of the build.ninja in its
// folder, and fails for projects whose folder name starts with "bad".
class FakeSystem : public EngineSystem {
public:
    FakeSystem() {
        environment = {{"BuildTool", "vc2022"}, {"BuildArch", "x64"}, {"BuildType", "debug"},
                       {"IntDir", "vc2022_x64_debug"}, {"OutputRoot", "C:\\out"}, {"Path", "C:\\kelpo;C:\\vc\\bin"}};
        Add("C:\\kelpo\\vc.mk", makeRules);
        Add("C:\\kelpo\\ninja.exe", "");
        for (const char* tool : {"cl.exe", "link.exe", "lib.exe"}) {
            Add(std::string("C:\\vc\\bin\\") + tool, "");
        }
    }

    void Add(const std::string& path, const std::string& bytes) {
        files[PathKey(path)] = bytes;
        for (std::string folder = ParentFolder(path); !folder.empty(); folder = ParentFolder(folder)) {
            folders.insert(PathKey(folder));
        }
    }

    // A project folder with a build.tvk and its sources.
    void AddProject(const std::string& folder, const std::string& tvk, std::vector<std::string> sources = {}) {
        Add(folder + "\\build.tvk", tvk);
        for (const std::string& source : sources) {
            Add(folder + "\\" + source, "int x;\n");
        }
    }

    bool ReadFile(const std::string& path, std::string& bytes) override {
        const auto found = files.find(PathKey(path));
        if (found == files.end()) {
            return false;
        }
        bytes = found->second;
        return true;
    }
    bool WriteFileIfChanged(const std::string& path, const std::string& bytes) override {
        Add(path, bytes);
        return true;
    }
    bool FileExists(const std::string& path) override { return files.count(PathKey(path)) != 0; }
    bool FolderExists(const std::string& path) override { return folders.count(PathKey(path)) != 0; }
    bool MakeFolders(const std::string& path) override {
        for (std::string folder = path; !folder.empty(); folder = ParentFolder(folder)) {
            folders.insert(PathKey(folder));
        }
        return true;
    }
    bool RemoveFolder(const std::string& path) override {
        const std::string prefix = PathKey(path) + "\\";
        std::erase_if(files, [&](const auto& file) { return file.first.starts_with(prefix); });
        std::erase_if(folders, [&](const std::string& folder) { return folder.starts_with(prefix); });
        folders.erase(PathKey(path));
        removed.push_back(path);
        return true;
    }
    bool RemoveFile(const std::string& path) override {
        files.erase(PathKey(path));
        return true;
    }
    bool CopyFileIfChanged(const std::string& from, const std::string& to) override {
        Add(to, files[PathKey(from)]);
        return true;
    }
    bool Run(const std::string& commandLine, const std::string& folder,
             const std::function<void(std::string_view)>& onLine, int& exitCode) override {
        runs.push_back(commandLine + " @ " + folder);
        exitCode = 0;
        if (commandLine.find("ninja.exe") == std::string::npos) {
            return true;
        }
        if (folder.find("bad") != std::string::npos) {
            onLine("FAILED: x.obj");
            onLine("cl /c x.c");
            onLine("C:\\p\\x.c(1) : error C0001: bad");
            exitCode = 1;
            return true;
        }
        const std::string& ninja = files[PathKey(folder + "\\build.ninja")];
        const std::size_t at = ninja.find("\ndefault ");
        const std::string target = ninja.substr(at + 9, ninja.find('\n', at + 1) - at - 9);
        onLine("[1/1] Linking " + folder + "\\" + target);
        Add(folder + "\\" + target, "made");
        if (target.ends_with(".dll")) {
            Add(folder + "\\" + target.substr(0, target.size() - 4) + ".lib", "lib");
        }
        return true;
    }
    void Print(std::string_view line) override { printed.emplace_back(line); }
    std::string Environment(const std::string& name) override { return environment[name]; }

    // The projects Ninja ran for, by the name of their output folder.
    std::vector<std::string> NinjaTargets() const {
        std::vector<std::string> targets;
        for (const std::string& run : runs) {
            if (run.find("ninja.exe") != std::string::npos) {
                targets.emplace_back(FileNamePart(run));
            }
        }
        return targets;
    }
    bool PrintedLineWith(const std::string& part) const {
        return std::any_of(printed.begin(), printed.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::map<std::string, std::string> environment;
    std::vector<std::string> runs;
    std::vector<std::string> printed;
    std::vector<std::string> removed;
};

int RunFor(FakeSystem& system, const std::string& project, BuildAction action = BuildAction::Build,
        bool ignoreFailures = false) {
    EngineRequest request;
    request.project = project;
    request.action = action;
    request.ignoreFailures = ignoreFailures;
    return RunEngine(request, "C:\\kelpo", system);
}

std::string Printed(const FakeSystem& system) {
    std::string all;
    for (const std::string& line : system.printed) {
        all += line + "\n";
    }
    return all;
}

TEST(Engine, BuildsAProgramWhereTheEditorLooksForIt) {
    FakeSystem system;
    system.AddProject("C:\\My Projects\\app", "TARGETNAME=app\r\nSOURCES=\\\r\n    main.c \\\r\n    util.c\r\n",
                      {"main.c", "util.c"});
    EXPECT_EQ(RunFor(system, "C:\\My Projects\\app\\build.tvk"), 0) << Printed(system);
    EXPECT_EQ(system.runs.back(), "C:\\kelpo\\ninja.exe @ C:\\out\\obj\\vc2022_x64_debug\\app.exe");
    EXPECT_TRUE(system.PrintedLineWith("Linking C:\\out\\obj\\vc2022_x64_debug\\app.exe\\app.exe")) << Printed(system);
    EXPECT_EQ(system.printed.back(), "OutputFile C:\\out\\obj\\vc2022_x64_debug\\app.exe\\app.exe");
    const std::string& ninja = system.files[PathKey("C:\\out\\obj\\vc2022_x64_debug\\app.exe\\build.ninja")];
    EXPECT_NE(ninja.find("compiler = C:\\vc\\bin\\cl.exe\n"), std::string::npos) << ninja;
    EXPECT_NE(ninja.find("build main.obj: compile C$:\\My$ Projects\\app\\main.c"), std::string::npos) << ninja;
}

TEST(Engine, BuildsDirsListsDepthFirstInTheirOrder) {
    FakeSystem system;
    system.AddProject("C:\\w", "Dirs=\\\n    lib \\\n    tools\\gen.tvk \\\n    app \\\n");
    system.AddProject("C:\\w\\lib", "TARGETTYPE=LIB\nSOURCES=a.c\n", {"a.c"});
    system.Add("C:\\w\\tools\\gen.tvk", "SOURCES=gen.c\n");
    system.Add("C:\\w\\tools\\gen.c", "");
    system.AddProject("C:\\w\\app", "DIRS=..\\lib\nLIBS=lib.lib;gone.lib\nSOURCES=main.c\n", {"main.c"});
    system.environment["LIB"] = "C:\\out\\lib\\vc2022_x64;C:\\vc\\lib";
    EXPECT_EQ(RunFor(system, "C:\\w"), 0) << Printed(system);
    EXPECT_EQ(system.NinjaTargets(), (std::vector<std::string>{"lib.lib", "tools.exe", "app.exe"}));
    EXPECT_EQ(system.files[PathKey("C:\\out\\lib\\vc2022_x64\\lib.lib")], "made");
    // The program is relinked when the library it names is rebuilt.
    const std::string& ninja = system.files[PathKey("C:\\out\\obj\\vc2022_x64_debug\\app.exe\\build.ninja")];
    EXPECT_NE(ninja.find("build app.exe: link main.obj | C$:\\out\\lib\\vc2022_x64\\lib.lib\n"), std::string::npos)
        << ninja;
    EXPECT_EQ(system.printed.back(), "3 projects done, none failed");
}

TEST(Engine, FaultsOfDirsListsStopOrGoOnWithIgnoreFailures) {
    const struct {
        const char* name;
        const char* list;
        bool ignoreFailures;
        std::vector<std::string> built;
        const char* error;
    } cases[] = {
        {"missing entry", "Dirs=\\\n    one \\\n    gone \\\n    two\n", false, {"one.exe"},
         "C:\\w\\build.tvk(3) : error : Dirs= entry 'gone' not found"},
        {"missing entry, -i", "Dirs=\\\n    one \\\n    gone \\\n    two\n", true, {"one.exe", "two.exe"},
         "C:\\w\\build.tvk(3) : error : Dirs= entry 'gone' not found"},
        {"failed project", "Dirs=one\\\n    bad\\\n    two\n", false, {"one.exe", "bad.exe"},
         "C:\\w\\bad\\build.tvk : error : build failed"},
        {"failed project, -i", "Dirs=one\\\n    bad\\\n    two\n", true, {"one.exe", "bad.exe", "two.exe"},
         "error : 1 of 3 projects failed"},
        {"cycle", "Dirs=\\\n    loop \\\n    two\n", false, {},
         "C:\\w\\loop\\build.tvk(1) : error : Dirs= entry '..' leads back to C:\\w\\build.tvk (a cycle)"},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.AddProject("C:\\w", c.list);
        for (const char* name : {"one", "two", "bad"}) {
            system.AddProject(std::string("C:\\w\\") + name, "SOURCES=m.c\n", {"m.c"});
        }
        system.AddProject("C:\\w\\loop", "DIRS=..\nSOURCES=m.c\n", {"m.c"});
        EXPECT_EQ(RunFor(system, "C:\\w", BuildAction::Build, c.ignoreFailures), 1) << c.name;
        EXPECT_EQ(system.NinjaTargets(), c.built) << c.name;
        EXPECT_TRUE(system.PrintedLineWith(c.error)) << c.name << "\n" << Printed(system);
    }
}

TEST(Engine, BadInputNamesItsFileAndRunsNoBuild) {
    const struct {
        const char* name;
        const char* tvk;
        std::function<void(FakeSystem&)> change;
        const char* error;
    } cases[] = {
        {"unknown key", "TARGETNAME=app\nOUTDIR=x\nSOURCES=main.c\n", nullptr,
         "C:\\p\\build.tvk(2) : error : unknown key 'OUTDIR'"},
        {"no sources", "TARGETNAME=app\n", nullptr, "C:\\p\\build.tvk : error : no SOURCES"},
        {"missing source", "SOURCES=\\\n    main.c \\\n    gone.c\n", nullptr,
         "C:\\p\\build.tvk(3) : error : source file 'gone.c' not found"},
        {"unknown kind of source", "SOURCES=main.c readme.txt\n", nullptr,
         "C:\\p\\build.tvk(1) : error : 'main.c readme.txt' is no kind of source"},
        {"no compiler", "SOURCES=main.c\n", [](FakeSystem& s) { s.environment["Path"] = "C:\\kelpo"; },
         "C:\\p\\build.tvk : error : cl.exe not found on Path (is vc2022 set up for x64?)"},
        {"no linker", "SOURCES=main.c\n", [](FakeSystem& s) { s.files.erase(PathKey("C:\\vc\\bin\\link.exe")); },
         "error : link.exe not found on Path"},
        {"no configuration", "SOURCES=main.c\n", [](FakeSystem& s) { s.environment.erase("IntDir"); },
         "error : the environment names no build configuration"},
        {"no vc.mk", "SOURCES=main.c\n", [](FakeSystem& s) { s.files.erase(PathKey("C:\\kelpo\\vc.mk")); },
         "C:\\kelpo\\vc.mk : error : cannot be read"},
        {"bad vc.mk", "SOURCES=main.c\n", [](FakeSystem& s) { s.Add("C:\\kelpo\\vc.mk", "\n[debug|quick]\n"); },
         "C:\\kelpo\\vc.mk(2) : error : unknown condition word 'quick'"},
        {"bad build.xml", "SOURCES=main.c\n", [](FakeSystem& s) { s.Add("C:\\build.xml", "<build><x/></build>"); },
         "C:\\build.xml : error : unknown element <x>"},
        {"no ninja", "SOURCES=main.c\n", [](FakeSystem& s) { s.files.erase(PathKey("C:\\kelpo\\ninja.exe")); },
         "C:\\kelpo\\ninja.exe : error : not found"},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.AddProject("C:\\p", c.tvk, {"main.c"});
        if (c.change) {
            c.change(system);
        }
        EXPECT_EQ(RunFor(system, "C:\\p\\build.tvk"), 1) << c.name;
        EXPECT_TRUE(system.NinjaTargets().empty()) << c.name;
        EXPECT_TRUE(system.PrintedLineWith(c.error)) << c.name << "\n" << Printed(system);
        EXPECT_FALSE(system.PrintedLineWith("OutputFile")) << c.name;
    }
}

TEST(Engine, CleanRemovesTheOutputAndRebuildStartsFromNothing) {
    FakeSystem system;
    system.AddProject("C:\\p", "TARGETNAME=util\nTARGETTYPE=DLL\nSOURCES=main.c\n"
                               "PREBUILD:\n    @echo before\nPOSTBUILD:\n    copy util.dll x\n", {"main.c"});
    ASSERT_EQ(RunFor(system, "C:\\p"), 0) << Printed(system);
    EXPECT_EQ(system.runs.front(), "cmd.exe /s /c \"@echo before\" @ C:\\p");
    EXPECT_EQ(system.runs.back(), "cmd.exe /s /c \"copy util.dll x\" @ C:\\p");
    ASSERT_TRUE(system.FileExists("C:\\out\\lib\\vc2022_x64\\util.lib"));

    EXPECT_EQ(RunFor(system, "C:\\p", BuildAction::Clean), 0) << Printed(system);
    EXPECT_FALSE(system.FileExists("C:\\out\\obj\\vc2022_x64_debug\\util.dll\\util.dll"));
    EXPECT_FALSE(system.FileExists("C:\\out\\lib\\vc2022_x64\\util.lib"));
    EXPECT_EQ(system.runs.size(), 3u);  // nothing run

    system.removed.clear();
    EXPECT_EQ(RunFor(system, "C:\\p", BuildAction::Rebuild), 0) << Printed(system);
    EXPECT_EQ(system.removed, std::vector<std::string>{"C:\\out\\obj\\vc2022_x64_debug\\util.dll"});
    EXPECT_TRUE(system.FileExists("C:\\out\\obj\\vc2022_x64_debug\\util.dll\\util.dll"));
}

TEST(Engine, PrecompiledHeaderComesFromItsOwnSourceOrOneOfTheProjectsLanguage) {
    const struct {
        std::vector<std::string> files;
        const char* sources;
        const char* pchSource;
    } cases[] = {
        {{"main.c", "util.c"}, "SOURCES=main.c\\\n    util.h\n",
         "C$:\\out\\obj\\vc2022_x64_debug\\p.exe\\stdafx_pch.c\n"},
        {{"main.c", "view.cpp"}, "SOURCES=main.c\\\n    view.cpp\n",
         "C$:\\out\\obj\\vc2022_x64_debug\\p.exe\\stdafx_pch.cpp\n"},
        {{"main.cpp", "stdafx.c"}, "SOURCES=main.cpp\n", "C$:\\p\\stdafx.c\n"},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.AddProject("C:\\p", std::string("PCH=stdafx.h\n") + c.sources, c.files);
        ASSERT_EQ(RunFor(system, "C:\\p"), 0) << Printed(system);
        const std::string& ninja = system.files[PathKey("C:\\out\\obj\\vc2022_x64_debug\\p.exe\\build.ninja")];
        const std::size_t at = ninja.find(std::string(".obj: compile ") + c.pchSource);
        EXPECT_NE(at, std::string::npos) << ninja;
        EXPECT_EQ(ninja.find("  pchflags = $pch_create\n", at), ninja.find("  pchflags = $pch_create\n")) << ninja;
    }
    FakeSystem system;
    system.AddProject("C:\\p", "PCH=inc\\pre.h\nSOURCES=main.c\n", {"main.c"});
    ASSERT_EQ(RunFor(system, "C:\\p"), 0) << Printed(system);
    EXPECT_EQ(system.files[PathKey("C:\\out\\obj\\vc2022_x64_debug\\p.exe\\pre_pch.c")], "#include \"inc\\pre.h\"\n");
}

TEST(Engine, RunsTheProgramAfterBuildingIt) {
    FakeSystem system;
    system.environment["OutputRoot"] = "";
    system.AddProject("C:\\p", "SOURCES=main.c\nARGUMENTS=-v x\n", {"main.c"});
    EXPECT_EQ(RunFor(system, "C:\\p", BuildAction::BuildAndRun), 0) << Printed(system);
    EXPECT_EQ(system.runs.back(), "C:\\p\\obj\\vc2022_x64_debug\\p.exe\\p.exe -v x @ C:\\p");
    EXPECT_EQ(system.printed.back(), "p.exe ended with exit code 0");

    system.AddProject("C:\\l", "TARGETTYPE=LIB\nSOURCES=main.c\n", {"main.c"});
    EXPECT_EQ(RunFor(system, "C:\\l", BuildAction::BuildAndRun), 1);
    EXPECT_TRUE(system.PrintedLineWith("error : nothing to run")) << Printed(system);
}

}  // namespace
}  // namespace kelpo::engine
