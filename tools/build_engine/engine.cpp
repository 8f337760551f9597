// The build engine's run: configuration, project lists, one Ninja run per project.
#include "engine.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "build/project_file_reader.h"
#include "engine_paths.h"
#include "make_rules.h"
#include "ninja_file.h"
#include "ninja_output.h"
#include "project_setup.h"
#include "tree_overrides.h"

namespace kelpo::engine {

namespace {

std::string Quoted(std::string_view text) {
    return text.find_first_of(" \t") == std::string_view::npos ? std::string(text) : "\"" + std::string(text) + "\"";
}

std::string At(std::string_view file, int line) {
    return line > 0 ? std::string(file) + "(" + std::to_string(line) + ")" : std::string(file);
}

class Engine {
public:
    Engine(const EngineRequest& request, const std::string& programFolder, EngineSystem& system)
        : request_(request), programFolder_(programFolder), system_(system) {}

    int Run() {
        if (!ReadConfiguration() || !ReadRules()) {
            return 1;
        }
        std::string root;
        if (system_.FolderExists(request_.project)) {
            root = JoinPath(request_.project, "build.tvk");
            if (!system_.FileExists(root)) {
                Error("", 0, "no build.tvk in the folder " + request_.project);
                return 1;
            }
        } else if (system_.FileExists(request_.project)) {
            root = request_.project;
        } else {
            Error("", 0, "project " + request_.project + " not found (neither a folder nor a project file)");
            return 1;
        }
        Visit(NormalPath(root));
        if (built_ + failed_ > 1) {
            system_.Print(failed_ == 0 ? std::to_string(built_) + " projects done, none failed"
                                       : "error : " + std::to_string(failed_) + " of " +
                                             std::to_string(built_ + failed_) + " projects failed");
        }
        if (failed_ > 0) {
            return 1;
        }
        return request_.action == BuildAction::BuildAndRun ? RunProgram() : 0;
    }

private:
    void Error(std::string_view file, int line, const std::string& message) {
        system_.Print((file.empty() ? std::string() : At(file, line) + " : ") + "error : " + message);
    }

    bool Fail(std::string_view file, int line, const std::string& message) {
        Error(file, line, message);
        ++failed_;
        stopped_ = !request_.ignoreFailures;
        return false;
    }

    bool ReadConfiguration() {
        configuration_.tool = system_.Environment("BuildTool");
        configuration_.arch = system_.Environment("BuildArch");
        configuration_.type = system_.Environment("BuildType");
        configuration_.intDir = system_.Environment("IntDir");
        outputRoot_ = system_.Environment("OutputRoot");
        if (configuration_.tool.empty() || configuration_.arch.empty() || configuration_.type.empty() ||
            configuration_.intDir.empty()) {
            Error("", 0, "the environment names no build configuration (BuildTool, BuildArch, BuildType and IntDir "
                         "are needed): start build.exe from the editor or a build console");
            return false;
        }
        if (!SameText(configuration_.type, "debug") && !SameText(configuration_.type, "release")) {
            Error("", 0, "BuildType must be debug or release, not '" + configuration_.type + "'");
            return false;
        }
        return true;
    }

    bool ReadRules() {
        makeFile_ = JoinPath(programFolder_, "vc.mk");
        std::string text;
        if (!system_.ReadFile(makeFile_, text)) {
            Error(makeFile_, 0, "cannot be read; it belongs beside build.exe");
            return false;
        }
        MakeError error;
        if (!ReadMakeRules(text, makeRules_, error)) {
            Error(makeFile_, error.line, error.message);
            return false;
        }
        return true;
    }

    // Builds the project and, first, the projects its Dirs= list names, depth first.
    void Visit(const std::string& projectFile) {
        const std::string key = PathKey(projectFile);
        if (done_.count(key) != 0) {
            return;
        }
        ProjectFile project;
        ProjectFileLines lines;
        if (!ReadProject(projectFile, project, lines)) {
            return;
        }
        onStack_.insert(key);
        for (std::size_t i = 0; i < project.dirs.size() && !stopped_; ++i) {
            const int line = i < lines.dirs.size() ? lines.dirs[i] : 0;
            std::string entry;
            if (!ResolveEntry(projectFile, project.dirs[i], line, entry)) {
                continue;
            }
            if (onStack_.count(PathKey(entry)) != 0) {
                Fail(projectFile, line, "Dirs= entry '" + project.dirs[i] + "' leads back to " + entry + " (a cycle)");
                continue;
            }
            Visit(entry);
        }
        onStack_.erase(key);
        done_.insert(key);
        if (stopped_ || (!project.dirs.empty() && project.sources.empty())) {
            return;
        }
        if (BuildProject(projectFile, project, lines)) {
            ++built_;
        }
    }

    bool ReadProject(const std::string& projectFile, ProjectFile& project, ProjectFileLines& lines) {
        std::string text;
        if (!system_.ReadFile(projectFile, text)) {
            return Fail(projectFile, 0, "cannot be read");
        }
        ProjectFileError error;
        if (!ReadProjectFile(text, project, error, lines)) {
            return Fail(projectFile, error.line, error.message);
        }
        return true;
    }

    // A Dirs= entry names a folder holding build.tvk or a project file, relative to the list's folder.
    bool ResolveEntry(const std::string& listFile, const std::string& entry, int line, std::string& resolved) {
        const std::string path = NormalPath(JoinPath(ParentFolder(listFile), entry));
        if (system_.FolderExists(path) && system_.FileExists(JoinPath(path, "build.tvk"))) {
            resolved = JoinPath(path, "build.tvk");
            return true;
        }
        if (system_.FileExists(path)) {
            resolved = path;
            return true;
        }
        return Fail(listFile, line, "Dirs= entry '" + entry + "' not found (no project file " + path +
                                        (system_.FolderExists(path) ? "\\build.tvk" : "") + ")");
    }

    bool BuildProject(const std::string& projectFile, ProjectFile& project, const ProjectFileLines& lines) {
        const std::string folder = ParentFolder(projectFile);
        ApplyProjectDefaults(project, FileNamePart(folder));
        const std::string target = TargetFileName(project);
        const std::string root = outputRoot_.empty() ? folder : outputRoot_;
        const std::string buildFolder = JoinPath(JoinPath(JoinPath(root, "obj"), configuration_.intDir), target);
        const std::string targetPath = JoinPath(buildFolder, target);
        system_.Print("Project " + projectFile + " (" + configuration_.intDir + ")");
        if (request_.action == BuildAction::Clean || request_.action == BuildAction::Rebuild) {
            if (!Clean(projectFile, project, buildFolder)) {
                return false;
            }
            if (request_.action == BuildAction::Clean) {
                return true;
            }
        }
        if (project.sources.empty()) {
            return Fail(projectFile, 0, "no SOURCES: nothing to build");
        }
        Steps steps;
        if (!CheckSources(projectFile, project, lines, steps)) {
            return false;
        }
        const BuildTraits traits = TraitsOf(project, configuration_);
        NinjaInputs inputs;
        inputs.projectFile = projectFile;
        inputs.projectFolder = folder;
        inputs.targetPath = targetPath;
        inputs.rules = ResolveMakeRules(makeRules_, traits);
        if (!project.as.empty()) {
            inputs.rules["assembler"] = project.as;
        }
        if (!ReadOverrides(projectFile, folder, traits, inputs.extra) ||
            !FindPrograms(projectFile, project, traits, steps, inputs.rules)) {
            return false;
        }
        inputs.libraryFiles = FindLibraries(project, folder, inputs.extra);
        if (!system_.MakeFolders(buildFolder)) {
            return Fail(projectFile, 0, "cannot make the folder " + buildFolder);
        }
        if (!project.pch.empty() && !FindPchSource(project, folder, buildFolder, inputs.pchSource)) {
            return Fail(projectFile, 0, "cannot write the precompiled header's source in " + buildFolder);
        }
        const std::string ninjaFile = JoinPath(buildFolder, "build.ninja");
        if (!system_.WriteFileIfChanged(ninjaFile, WriteNinjaFile(project, inputs))) {
            return Fail(projectFile, 0, "cannot write " + ninjaFile);
        }
        if (!RunCommands(projectFile, project.preBuild, folder, "PREBUILD") || !RunNinja(projectFile, buildFolder)) {
            return false;
        }
        if (!system_.FileExists(targetPath)) {
            return Fail(projectFile, 0, target + " was not made");
        }
        if (!PublishLibrary(projectFile, project, buildFolder) ||
            !RunCommands(projectFile, project.postBuild, folder, "POSTBUILD")) {
            return false;
        }
        system_.Print("OutputFile " + targetPath);
        if (project.targetType == "EXE") {
            program_ = targetPath;
            runFolder_ = folder;
            programArguments_ = project.arguments;
        }
        return true;
    }

    // The kinds of step the sources ask for.
    struct Steps {
        bool compile = false;
        bool resource = false;
        bool assemble = false;
    };

    // Every source must be of a known kind and, headers aside, exist.
    bool CheckSources(const std::string& projectFile, const ProjectFile& project, const ProjectFileLines& lines,
                      Steps& steps) {
        const std::string folder = ParentFolder(projectFile);
        for (std::size_t i = 0; i < project.sources.size(); ++i) {
            const std::string& source = project.sources[i];
            const int line = i < lines.sources.size() ? lines.sources[i] : 0;
            const SourceKind kind = KindOfSource(source);
            if (kind == SourceKind::Unknown) {
                return Fail(projectFile, line, "'" + source + "' is no kind of source build.exe knows (.c .cpp .cxx "
                                               ".cc .rc .asm .def .obj .lib .res .h .hpp .hxx .inl)");
            }
            if (kind != SourceKind::Header && !system_.FileExists(NormalPath(JoinPath(folder, source)))) {
                return Fail(projectFile, line, "source file '" + source + "' not found");
            }
            steps.compile = steps.compile || kind == SourceKind::Compile;
            steps.resource = steps.resource || kind == SourceKind::Resource;
            steps.assemble = steps.assemble || kind == SourceKind::Assemble;
        }
        steps.compile = steps.compile || !project.pch.empty();
        return true;
    }

    // The rule and the program of every step the project needs, the program found on Path.
    bool FindPrograms(const std::string& projectFile, const ProjectFile& project, const BuildTraits& traits,
                      const Steps& steps, std::map<std::string, std::string>& rules) {
        const bool isLibrary = project.targetType == "LIB";
        const struct {
            bool needed;
            const char* rule;
            const char* program;
        } needs[] = {
            {steps.compile, "compile", "compiler"},
            {steps.resource, "resource", "rc"},
            {steps.assemble, "assemble", "assembler"},
            {true, isLibrary ? "archive" : "link", isLibrary ? "librarian" : "linker"},
        };
        for (const auto& need : needs) {
            if (need.needed && !FindProgram(projectFile, traits, rules, need.rule, need.program)) {
                return false;
            }
        }
        return true;
    }

    bool Clean(const std::string& projectFile, const ProjectFile& project, const std::string& buildFolder) {
        if (!system_.RemoveFolder(buildFolder)) {
            return Fail(projectFile, 0, "cannot remove " + buildFolder + " (is a program of it running?)");
        }
        const std::string published = PublishedLibrary(project);
        if (!published.empty() && !system_.RemoveFile(published)) {
            return Fail(projectFile, 0, "cannot remove " + published);
        }
        system_.Print("Cleaned " + buildFolder);
        return true;
    }

    // Libraries and import libraries go where the LIB of every build of this tool and architecture
    // looks first, so other projects link them by name.
    std::string PublishedLibrary(const ProjectFile& project) const {
        if (outputRoot_.empty() || (project.targetType != "LIB" && project.targetType != "DLL")) {
            return {};
        }
        return JoinPath(JoinPath(JoinPath(outputRoot_, "lib"), configuration_.tool + "_" + configuration_.arch),
                        project.targetName + ".lib");
    }

    bool PublishLibrary(const std::string& projectFile, const ProjectFile& project, const std::string& buildFolder) {
        const std::string published = PublishedLibrary(project);
        const std::string built = JoinPath(buildFolder, project.targetName + ".lib");
        if (published.empty() || !system_.FileExists(built)) {
            return true;
        }
        if (!system_.MakeFolders(ParentFolder(published)) || !system_.CopyFileIfChanged(built, published)) {
            return Fail(projectFile, 0, "cannot copy " + built + " to " + published);
        }
        return true;
    }

    bool ReadOverrides(const std::string& projectFile, const std::string& folder, const BuildTraits& traits,
                       ExtraFlags& extra) {
        std::string path;
        for (std::string at = folder; !at.empty() && path.empty(); at = ParentFolder(at)) {
            if (system_.FileExists(JoinPath(at, "build.xml"))) {
                path = JoinPath(at, "build.xml");
            }
        }
        if (path.empty() && system_.FileExists(JoinPath(programFolder_, "build.xml"))) {
            path = JoinPath(programFolder_, "build.xml");
        }
        if (path.empty()) {
            return true;
        }
        std::string text;
        std::string message;
        std::vector<TreeOverride> overrides;
        if (!system_.ReadFile(path, text)) {
            return Fail(path, 0, "cannot be read (building " + projectFile + ")");
        }
        if (!ReadTreeOverrides(text, overrides, message)) {
            return Fail(path, 0, message);
        }
        extra = ApplyTreeOverrides(overrides, traits, ParentFolder(path));
        return true;
    }

    bool FindProgram(const std::string& projectFile, const BuildTraits& traits,
                     std::map<std::string, std::string>& rules, const char* rule, const char* program) {
        const std::string what = configuration_.tool + " " + configuration_.arch + " " + configuration_.type + " " +
                                 traits.targetType;
        if (rules[rule].empty()) {
            return Fail(makeFile_, 0, std::string("no '") + rule + "' rule for a " + what + " build");
        }
        std::string& name = rules[program];
        if (name.empty()) {
            return Fail(makeFile_, 0, std::string("no '") + program + "' for a " + what + " build");
        }
        const std::string found = SearchPath(name);
        if (found.empty()) {
            return Fail(projectFile, 0, name + " not found on Path (is " + configuration_.tool + " set up for " +
                                            configuration_.arch + "?)");
        }
        name = Quoted(EscapeNinjaValue(found));
        return true;
    }

    // The libraries of LIBS that the linker will find (LIBPATHS first, then LIB), so the target is
    // relinked when one of them is rebuilt, as a library of an earlier project of a Dirs= list is.
    std::vector<std::string> FindLibraries(const ProjectFile& project, const std::string& folder,
                                           const ExtraFlags& extra) {
        std::string folders;
        for (const std::string& libPath : project.libPaths) {
            folders += NormalPath(JoinPath(folder, libPath)) + ";";
        }
        for (const std::string& libPath : extra.libPaths) {
            folders += libPath + ";";
        }
        folders += system_.Environment("LIB");
        std::vector<std::string> found;
        std::vector<std::string> names = project.libs;
        names.insert(names.end(), extra.libs.begin(), extra.libs.end());
        for (const std::string& name : names) {
            const std::string path = IsAbsolutePath(name) ? (system_.FileExists(name) ? name : std::string())
                                                          : SearchFolders(folders, name, false);
            if (!path.empty()) {
                found.push_back(path);
            }
        }
        return found;
    }

    std::string SearchPath(const std::string& name) {
        if (IsAbsolutePath(name)) {
            return system_.FileExists(name) ? name : std::string();
        }
        return SearchFolders(system_.Environment("Path"), name, true);
    }

    // The first folder of the ";"-separated list that holds the file.
    std::string SearchFolders(const std::string& path, const std::string& name, bool tryExe) {
        std::size_t start = 0;
        while (start <= path.size()) {
            const std::size_t end = std::min(path.find(';', start), path.size());
            std::string folder = path.substr(start, end - start);
            if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
                folder = folder.substr(1, folder.size() - 2);
            }
            if (!folder.empty()) {
                for (const std::string& candidate : {name, tryExe ? name + ".exe" : name}) {
                    if (system_.FileExists(JoinPath(folder, candidate))) {
                        return NormalPath(JoinPath(folder, candidate));
                    }
                }
            }
            start = end + 1;
        }
        return {};
    }

    // The source named like the header (stdafx.cpp for stdafx.h) makes the precompiled header; a
    // project without one gets a generated source that only includes the header.
    bool FindPchSource(const ProjectFile& project, const std::string& folder, const std::string& buildFolder,
                       std::string& source) {
        const std::string_view extension = Extension(project.pch);
        const std::string stem =
            project.pch.substr(0, project.pch.size() - extension.size() - (extension.empty() ? 0 : 1));
        for (const char* candidate : {".cpp", ".c", ".cxx", ".cc"}) {
            const std::string path = NormalPath(JoinPath(folder, stem + candidate));
            if (system_.FileExists(path)) {
                source = path;
                return true;
            }
        }
        // A precompiled header serves one language: the generated source is C when every source is.
        const bool allC = std::all_of(project.sources.begin(), project.sources.end(), [](const std::string& s) {
            return KindOfSource(s) != SourceKind::Compile || AsciiLower(Extension(s)) == "c";
        });
        source = JoinPath(buildFolder, std::string(FileNamePart(stem)) + (allC ? "_pch.c" : "_pch.cpp"));
        return system_.WriteFileIfChanged(source, "#include \"" + project.pch + "\"\n");
    }

    bool RunCommands(const std::string& projectFile, const std::vector<std::string>& commands,
                     const std::string& folder, const char* block) {
        for (const std::string& command : commands) {
            int exitCode = 0;
            const auto print = [this](std::string_view line) { system_.Print(line); };
            if (!system_.Run("cmd.exe /s /c \"" + command + "\"", folder, print, exitCode)) {
                return Fail(projectFile, 0, std::string(block) + " command could not be started: " + command);
            }
            if (exitCode != 0) {
                return Fail(projectFile, 0, std::string(block) + " command failed with exit code " +
                                                std::to_string(exitCode) + ": " + command);
            }
        }
        return true;
    }

    bool RunNinja(const std::string& projectFile, const std::string& buildFolder) {
        const std::string ninja = JoinPath(programFolder_, "ninja.exe");
        if (!system_.FileExists(ninja)) {
            return Fail(ninja, 0, "not found; it belongs beside build.exe");
        }
        std::string command = Quoted(ninja);
        if (request_.verbose) {
            command += " -v";
        }
        if (request_.jobs > 0) {
            command += " -j" + std::to_string(request_.jobs);
        }
        NinjaOutputFilter filter(request_.verbose);
        int exitCode = 0;
        const auto show = [&](std::string_view line) {
            if (const std::optional<std::string> shown = filter.Filter(line)) {
                system_.Print(*shown);
            }
        };
        if (!system_.Run(command, buildFolder, show, exitCode)) {
            return Fail(ninja, 0, "could not be started");
        }
        if (exitCode != 0) {
            return Fail(projectFile, 0, "build failed (" + buildFolder + ")");
        }
        return true;
    }

    int RunProgram() {
        if (program_.empty()) {
            Error(request_.project, 0, "nothing to run: no EXE was built");
            return 1;
        }
        const std::string command = Quoted(program_) + (programArguments_.empty() ? "" : " " + programArguments_);
        system_.Print("Running " + command);
        int exitCode = 0;
        const auto print = [this](std::string_view line) { system_.Print(line); };
        if (!system_.Run(command, runFolder_, print, exitCode)) {
            Error(program_, 0, "could not be started");
            return 1;
        }
        system_.Print(std::string(FileNamePart(program_)) + " ended with exit code " + std::to_string(exitCode));
        return exitCode == 0 ? 0 : 1;
    }

    const EngineRequest& request_;
    std::string programFolder_;
    EngineSystem& system_;
    BuildConfiguration configuration_;
    std::string outputRoot_;
    std::string makeFile_;
    MakeRules makeRules_;
    std::set<std::string> done_;
    std::set<std::string> onStack_;
    int built_ = 0;
    int failed_ = 0;
    bool stopped_ = false;
    std::string program_;
    std::string runFolder_;
    std::string programArguments_;
};

}  // namespace

int RunEngine(const EngineRequest& request, const std::string& programFolder, EngineSystem& system) {
    return Engine(request, programFolder, system).Run();
}

}  // namespace kelpo::engine
