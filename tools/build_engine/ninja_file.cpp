// Writing "build.ninja" for one project.
#include "ninja_file.h"

#include <algorithm>
#include <set>
#include <vector>

#include "engine_paths.h"
#include "project_setup.h"

namespace kelpo::engine {

namespace {

std::string Quoted(std::string_view text) {
    return text.find_first_of(" \t") == std::string_view::npos ? std::string(text) : "\"" + std::string(text) + "\"";
}

void AddFlag(std::string& flags, std::string_view flag) {
    if (!flag.empty()) {
        flags += (flags.empty() ? "" : " ") + std::string(flag);
    }
}

std::string Value(const std::map<std::string, std::string>& rules, const std::string& key) {
    const auto found = rules.find(key);
    return found == rules.end() ? std::string() : found->second;
}

// Object names follow the source's relative path, so sources of the same name in different
// folders do not meet; ".." and drive letters become plain names.
std::string OutputNameFor(std::string_view source, std::string_view extension, std::set<std::string>& taken) {
    std::string name = NormalPath(source);
    std::string safe;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('\\', start), name.size());
        std::string part = name.substr(start, end - start);
        if (part == "..") {
            part = "__";
        } else if (part.size() == 2 && part[1] == ':') {
            part = part.substr(0, 1);
        }
        if (!part.empty()) {
            safe += (safe.empty() ? "" : "\\") + part;
        }
        start = end + 1;
    }
    const std::string_view oldExtension = Extension(safe);
    std::string stem = safe.substr(0, safe.size() - oldExtension.size() - (oldExtension.empty() ? 0 : 1));
    std::string candidate = stem + std::string(extension);
    if (!taken.insert(AsciiLower(candidate)).second) {
        candidate = safe + std::string(extension);
        taken.insert(AsciiLower(candidate));
    }
    return candidate;
}

bool IsCppSource(std::string_view path) { return AsciiLower(Extension(path)) != "c"; }

class NinjaText {
public:
    void Line(std::string_view text) { text_ += std::string(text) + "\n"; }
    void Variable(std::string_view name, std::string_view value, bool indented = false) {
        text_ += (indented ? "  " : "") + std::string(name) + " = " + std::string(value) + "\n";
    }
    void Rule(std::string_view name, std::string_view command, std::string_view description, bool msvcDeps,
              bool responseFile) {
        if (command.empty()) {
            return;  // a step no source needs
        }
        Line("rule " + std::string(name));
        Variable("command", command, true);
        if (msvcDeps) {
            Variable("deps", "msvc", true);
        }
        if (responseFile) {
            Variable("rspfile", "$out.rsp", true);
            Variable("rspfile_content", "$in_newline", true);
        }
        Variable("description", description, true);
        Line("");
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

struct Objects {
    std::vector<std::string> linkInputs;  // escaped, in source order
    std::vector<std::string> implicitInputs;
};

}  // namespace

std::string EscapeNinjaValue(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        escaped += c == '$' ? std::string("$$") : std::string(1, c);
    }
    return escaped;
}

std::string EscapeNinjaPath(std::string_view path) {
    std::string escaped;
    for (const char c : path) {
        if (c == '$' || c == ' ' || c == ':') {
            escaped += '$';
        }
        escaped += c;
    }
    return escaped;
}

std::string WriteNinjaFile(const ProjectFile& project, const NinjaInputs& inputs) {
    const std::map<std::string, std::string>& rules = inputs.rules;
    const ExtraFlags& extra = inputs.extra;
    const std::string target = TargetFileName(project);
    const bool isLibrary = project.targetType == "LIB";

    std::string cflags = Value(rules, "cflags");
    std::string rflags = Value(rules, "rflags");
    std::string aflags = Value(rules, "aflags");
    std::string lflags = Value(rules, "lflags");
    std::string libflags = Value(rules, "libflags");
    std::string libs;
    AddFlag(cflags, extra.cflags);
    AddFlag(rflags, extra.rflags);
    AddFlag(aflags, extra.aflags);
    AddFlag(lflags, extra.lflags);
    AddFlag(libflags, extra.libflags);
    for (const std::string& define : project.macros) {
        AddFlag(cflags, "/D" + Quoted(EscapeNinjaValue(define)));
    }
    for (const std::string& define : extra.defines) {
        AddFlag(cflags, "/D" + Quoted(EscapeNinjaValue(define)));
    }
    std::vector<std::string> includes;
    for (const std::string& folder : project.includes) {
        includes.push_back(NormalPath(JoinPath(inputs.projectFolder, folder)));
    }
    includes.insert(includes.end(), extra.includes.begin(), extra.includes.end());
    if (!inputs.pchSource.empty()) {
        includes.push_back(inputs.projectFolder);  // the header of a generated PCH source
    }
    for (const std::string& folder : includes) {
        AddFlag(cflags, "/I" + Quoted(EscapeNinjaValue(folder)));
        AddFlag(rflags, "/I" + Quoted(EscapeNinjaValue(folder)));
    }
    AddFlag(cflags, EscapeNinjaValue(project.cFlags));
    AddFlag(rflags, EscapeNinjaValue(project.rFlags));
    AddFlag(aflags, EscapeNinjaValue(project.aFlags));
    std::vector<std::string> libPaths;
    for (const std::string& folder : project.libPaths) {
        libPaths.push_back(NormalPath(JoinPath(inputs.projectFolder, folder)));
    }
    libPaths.insert(libPaths.end(), extra.libPaths.begin(), extra.libPaths.end());
    for (const std::string& folder : libPaths) {
        AddFlag(lflags, "/LIBPATH:" + Quoted(EscapeNinjaValue(folder)));
    }
    AddFlag(lflags, EscapeNinjaValue(project.lFlags));
    for (const std::string& lib : project.libs) {
        AddFlag(libs, Quoted(EscapeNinjaValue(lib)));
    }
    for (const std::string& lib : extra.libs) {
        AddFlag(libs, Quoted(EscapeNinjaValue(lib)));
    }
    AddFlag(libs, Value(rules, "libs"));
    std::vector<std::string> implicitInputs;
    for (const std::string& source : project.sources) {
        if (KindOfSource(source) == SourceKind::ModuleDefinition && !isLibrary) {
            const std::string absolute = NormalPath(JoinPath(inputs.projectFolder, source));
            AddFlag(lflags, "/DEF:" + Quoted(EscapeNinjaValue(absolute)));
            implicitInputs.push_back(EscapeNinjaPath(absolute));
        }
    }
    if (!isLibrary) {
        for (const std::string& library : inputs.libraryFiles) {
            implicitInputs.push_back(EscapeNinjaPath(library));
        }
    }

    NinjaText ninja;
    ninja.Line("# Written by build.exe from " + inputs.projectFile + " on every build; change that file, vc.mk or");
    ninja.Line("# build.xml instead.");
    ninja.Variable("ninja_required_version", "1.3");
    if (const std::string prefix = Value(rules, "deps_prefix"); !prefix.empty()) {
        ninja.Variable("msvc_deps_prefix", prefix);
    }
    for (const char* program : {"compiler", "linker", "librarian", "rc", "assembler"}) {
        ninja.Variable(program, Value(rules, program));
    }
    ninja.Variable("cflags", cflags);
    ninja.Variable("rflags", rflags);
    ninja.Variable("aflags", aflags);
    ninja.Variable(isLibrary ? "libflags" : "lflags", isLibrary ? libflags : lflags);
    ninja.Variable("libs", libs);
    ninja.Variable("pch", Quoted(EscapeNinjaValue(project.pch)));
    ninja.Variable("pchfile", Quoted(EscapeNinjaValue(project.targetName + ".pch")));
    ninja.Variable("pch_create", Value(rules, "pch_create"));
    ninja.Variable("pch_use", Value(rules, "pch_use"));
    ninja.Variable("pdb", Quoted(EscapeNinjaValue(project.targetName + ".pdb")));
    ninja.Variable("implib", Quoted(EscapeNinjaValue(project.targetName + ".lib")));
    ninja.Variable("target", EscapeNinjaValue(inputs.targetPath));
    ninja.Line("");

    ninja.Rule("compile", Value(rules, "compile"), "Compiling $source", true, false);
    ninja.Rule("resource", Value(rules, "resource"), "Compiling $source", false, false);
    ninja.Rule("assemble", Value(rules, "assemble"), "Assembling $source", false, false);
    if (isLibrary) {
        ninja.Rule("archive", Value(rules, "archive"), "Linking $target", false, true);
    } else {
        ninja.Rule("link", Value(rules, "link"), "Linking $target", false, true);
    }

    std::set<std::string> taken;
    std::vector<std::string> linkInputs;
    std::string pchObject;
    if (!inputs.pchSource.empty()) {
        pchObject = OutputNameFor(FileNamePart(inputs.pchSource), ".obj", taken);
        ninja.Line("build " + EscapeNinjaPath(pchObject) + ": compile " + EscapeNinjaPath(inputs.pchSource));
        ninja.Variable("source", EscapeNinjaValue(RelativeToFolder(inputs.pchSource, inputs.projectFolder)), true);
        ninja.Variable("pchflags", "$pch_create", true);
        linkInputs.push_back(EscapeNinjaPath(pchObject));
    }
    const std::string pchKey = PathKey(inputs.pchSource);
    for (const std::string& source : project.sources) {
        const std::string absolute = NormalPath(JoinPath(inputs.projectFolder, source));
        const SourceKind kind = KindOfSource(source);
        if (kind == SourceKind::Compile) {
            if (!pchObject.empty() && PathKey(absolute) == pchKey) {
                continue;
            }
            const std::string object = OutputNameFor(source, ".obj", taken);
            const bool usesPch = !pchObject.empty() && IsCppSource(source) == IsCppSource(inputs.pchSource);
            ninja.Line("build " + EscapeNinjaPath(object) + ": compile " + EscapeNinjaPath(absolute) +
                       (usesPch ? " | " + EscapeNinjaPath(pchObject) : ""));
            ninja.Variable("source", EscapeNinjaValue(source), true);
            if (usesPch) {
                ninja.Variable("pchflags", "$pch_use", true);
            }
            linkInputs.push_back(EscapeNinjaPath(object));
        } else if (kind == SourceKind::Resource || kind == SourceKind::Assemble) {
            const bool resource = kind == SourceKind::Resource;
            const std::string output = OutputNameFor(source, resource ? ".res" : ".obj", taken);
            ninja.Line("build " + EscapeNinjaPath(output) + ": " + (resource ? "resource " : "assemble ") +
                       EscapeNinjaPath(absolute));
            ninja.Variable("source", EscapeNinjaValue(source), true);
            linkInputs.push_back(EscapeNinjaPath(output));
        } else if (kind == SourceKind::LinkInput) {
            linkInputs.push_back(EscapeNinjaPath(absolute));
        }
    }

    std::string build = "build " + EscapeNinjaPath(target) + ": " + (isLibrary ? "archive" : "link");
    for (const std::string& input : linkInputs) {
        build += " " + input;
    }
    if (!implicitInputs.empty()) {
        build += " |";
        for (const std::string& input : implicitInputs) {
            build += " " + input;
        }
    }
    ninja.Line(build);
    ninja.Line("default " + EscapeNinjaPath(target));
    return ninja.Text();
}

}  // namespace kelpo::engine
