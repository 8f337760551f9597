// Translation of MSVC tool command lines into tcc runs.
#include "msvc_options.h"

#include "command_line.h"

#include <algorithm>
#include <cctype>

namespace toolchain {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string Extension(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return Lower(path.substr(dot));
}

bool IsFolderName(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The value of "/Fo<x>", "/Fo:<x>" or "/Fo <x>" style options; advances index past a separate value.
std::string ValueOf(const std::vector<std::string>& arguments, size_t& index, size_t nameLength, bool separateAllowed) {
    std::string value = arguments[index].substr(nameLength);
    if (!value.empty() && value[0] == ':') {
        value.erase(0, 1);
    }
    if (value.empty() && separateAllowed && index + 1 < arguments.size()) {
        value = arguments[++index];
    }
    return value;
}

// cl options tcc has no counterpart for: they are accepted and have no effect.
bool IsIgnoredCompileOption(const std::string& option) {
    static const char* const exact[] = {"nologo", "Od", "O1", "O2", "Ox", "Os", "Ot", "Oi", "Oy", "Oy-", "EHsc", "EHa",
                                        "EHs", "GR", "GR-", "GS", "GS-", "Gy", "Gm-", "Gd", "TC", "TP", "FS", "sdl",
                                        "sdl-", "permissive-", "utf-8", "bigobj", "W0", "W1", "W2", "W3", "W4",
                                        "Wall", "RTC1", "RTCs", "RTCu", "GL", "Gz", "Gr", "analyze-", "fp:precise",
                                        "fp:fast", "fp:strict", "JMC", "JMC-"};
    static const char* const prefixes[] = {"Fd", "Fp", "Yc", "Yu", "Zc:", "std:", "errorReport:", "diagnostics:", "wd",
                                           "we", "wo", "Fa", "FR", "Fr", "external:", "MP", "arch:", "source-charset:",
                                           "execution-charset:"};
    return std::find(std::begin(exact), std::end(exact), option) != std::end(exact) ||
           std::any_of(std::begin(prefixes), std::end(prefixes), [&](const char* p) { return StartsWith(option, p); });
}

// link and lib options tcc has no counterpart for (compared in lower case, as those tools do).
bool IsIgnoredLinkOption(const std::string& lowerOption) {
    static const char* const prefixes[] = {"nologo", "debug", "incremental", "machine:", "pdb:", "manifest", "nxcompat",
                                           "dynamicbase", "opt:", "errorreport:", "nodefaultlib", "tlbid", "ltcg",
                                           "map", "def:", "ignore:", "version:", "release", "largeaddressaware",
                                           "highentropyva", "verbose", "wx", "time", "natvis", "guard:", "safeseh",
                                           "fixed", "stack:", "heap:", "delayload:", "defaultlib:", "entry:"};
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&](const char* p) { return StartsWith(lowerOption, p); });
}

std::string UnknownOptionWarning(const std::string& tool, const std::string& option) {
    return tool + " : Command line warning D9002 : ignoring unknown option '" + option + "'";
}

}  // namespace

std::string FileStem(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
    const std::string current = Extension(path);
    return path.substr(0, path.size() - current.size()) + extension;
}

bool IsAbsolutePath(const std::string& path) {
    return (path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
            (path[2] == '\\' || path[2] == '/')) ||
           StartsWith(path, "\\\\") || StartsWith(path, "//");
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || IsAbsolutePath(name)) {
        return name;
    }
    return IsFolderName(folder) ? folder + name : folder + "\\" + name;
}

DriverPlan PlanCompile(const std::vector<std::string>& arguments, const std::string& includeVariable) {
    DriverPlan plan;
    std::vector<std::string> common;
    std::vector<std::string> sources;
    std::vector<std::string> inputs;  // objects and libraries handed through when cl also links
    std::string objectName;
    std::string programName;
    bool compileOnly = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsOption(argument)) {
            const std::string extension = Extension(argument);
            if (extension == ".obj" || extension == ".o" || extension == ".lib" || extension == ".a") {
                inputs.push_back(argument);
            } else {
                sources.push_back(argument);
            }
            continue;
        }
        const std::string option = argument.substr(1);
        if (option == "c") {
            compileOnly = true;
        } else if (option == "showIncludes") {
            plan.showIncludes = true;
        } else if (option == "Zi" || option == "Z7" || option == "ZI") {
            common.push_back("-g");
        } else if (option == "WX") {
            common.push_back("-Werror");
        } else if (option == "w") {
            common.push_back("-w");
        } else if (option == "MT" || option == "MTd" || option == "MD" || option == "MDd") {
            // The run-time choice shows only in the macros cl defines for it.
            common.push_back("-D_MT");
            if (option[1] == 'D') {
                common.push_back("-D_DLL");
            }
            if (option.back() == 'd') {
                common.push_back("-D_DEBUG");
            }
        } else if (StartsWith(option, "D") || StartsWith(option, "U") || StartsWith(option, "I")) {
            const std::string value = ValueOf(arguments, i, 2, true);
            if (value.empty()) {
                plan.error = "cl : Command line error D8004 : '" + argument.substr(0, 2) + "' requires an argument";
                return plan;
            }
            common.push_back("-" + option.substr(0, 1) + value);
        } else if (StartsWith(option, "FI")) {
            common.push_back("-include");
            common.push_back(ValueOf(arguments, i, 3, true));
        } else if (StartsWith(option, "Fo")) {
            objectName = ValueOf(arguments, i, 3, false);
        } else if (StartsWith(option, "Fe")) {
            programName = ValueOf(arguments, i, 3, false);
        } else if (!IsIgnoredCompileOption(option)) {
            plan.warnings.push_back(UnknownOptionWarning("cl", argument));
        }
    }
    for (const std::string& folder : SplitPathList(includeVariable)) {
        common.push_back("-isystem");
        common.push_back(folder);
    }
    if (sources.empty()) {
        plan.error = "cl : Command line error D8003 : missing source filename";
        return plan;
    }
    if (compileOnly) {
        if (sources.size() > 1 && !objectName.empty() && !IsFolderName(objectName)) {
            plan.error = "cl : Command line error D8036 : '/Fo" + objectName + "' not allowed with multiple source files";
            return plan;
        }
        for (const std::string& source : sources) {
            TccRun run;
            run.source = source;
            run.output = objectName.empty() || IsFolderName(objectName) ? objectName + FileStem(source) + ".obj"
                                                                        : objectName;
            run.arguments = common;
            run.arguments.insert(run.arguments.end(), {"-c", source, "-o", run.output});
            if (plan.showIncludes) {
                run.depfile = run.output + ".d";
                run.arguments.insert(run.arguments.end(), {"-MD", "-MF", run.depfile});
            }
            plan.runs.push_back(std::move(run));
        }
        return plan;
    }
    // Compiling and linking in one go: cl names the program after the first source.
    TccRun run;
    run.source = sources.front();
    run.output = programName.empty() || IsFolderName(programName) ? programName + FileStem(sources.front()) + ".exe"
                                                                  : programName;
    run.arguments = common;
    run.arguments.insert(run.arguments.end(), sources.begin(), sources.end());
    run.arguments.insert(run.arguments.end(), inputs.begin(), inputs.end());
    run.arguments.insert(run.arguments.end(), {"-o", run.output});
    plan.runs.push_back(std::move(run));
    return plan;
}

DriverPlan PlanLink(const std::vector<std::string>& arguments, const std::string& libVariable) {
    DriverPlan plan;
    std::vector<std::string> options;
    std::vector<std::string> objects;
    std::string output;
    bool library = false;
    for (const std::string& argument : arguments) {
        if (!IsOption(argument)) {
            const std::string extension = Extension(argument);
            if (extension == ".lib" || extension == ".a") {
                plan.libraries.push_back(argument);
            } else if (extension != ".res") {  // an empty stand-in from our rc.exe: nothing to link
                objects.push_back(argument);
            }
            continue;
        }
        const std::string option = Lower(argument.substr(1));
        const std::string value = argument.substr(std::min(argument.size(), argument.find(':') + 1));
        if (StartsWith(option, "out:")) {
            output = value;
        } else if (option == "dll") {
            library = true;
        } else if (StartsWith(option, "libpath:")) {
            plan.libraryPaths.push_back(value);
        } else if (StartsWith(option, "implib:")) {
            plan.importLibrary = value;
        } else if (StartsWith(option, "subsystem:")) {
            const std::string kind = Lower(value.substr(0, value.find(',')));
            options.push_back(kind == "windows" ? "-Wl,-subsystem=gui" : "-Wl,-subsystem=" + kind);
        } else if (!IsIgnoredLinkOption(option)) {
            plan.warnings.push_back("LINK : warning LNK4044: unrecognized option '" + argument + "'; ignored");
        }
    }
    if (objects.empty()) {
        plan.error = "LINK : fatal error LNK1561: entry point must be defined";
        return plan;
    }
    for (const std::string& folder : SplitPathList(libVariable)) {
        plan.libraryPaths.push_back(folder);
    }
    TccRun run;
    run.output = output.empty() ? ReplaceExtension(objects.front(), library ? ".dll" : ".exe") : output;
    if (library) {
        run.arguments.push_back("-shared");
    } else {
        plan.importLibrary.clear();
    }
    run.arguments.insert(run.arguments.end(), options.begin(), options.end());
    for (const std::string& folder : plan.libraryPaths) {
        run.arguments.push_back("-L" + folder);
    }
    run.arguments.insert(run.arguments.end(), objects.begin(), objects.end());
    run.arguments.insert(run.arguments.end(), {"-o", run.output});
    plan.runs.push_back(std::move(run));
    return plan;
}

DriverPlan PlanLibrary(const std::vector<std::string>& arguments) {
    DriverPlan plan;
    std::vector<std::string> objects;
    std::string output;
    for (const std::string& argument : arguments) {
        if (!IsOption(argument)) {
            objects.push_back(argument);
        } else if (StartsWith(Lower(argument.substr(1)), "out:")) {
            output = argument.substr(5);
        } else if (!IsIgnoredLinkOption(Lower(argument.substr(1)))) {
            plan.warnings.push_back("LIB : warning LNK4044: unrecognized option '" + argument + "'; ignored");
        }
    }
    if (objects.empty()) {
        plan.error = "LIB : fatal error LNK1149: no input files";
        return plan;
    }
    TccRun run;
    run.output = output.empty() ? ReplaceExtension(objects.front(), ".lib") : output;
    run.arguments = {"-ar", "rcs", run.output};
    run.arguments.insert(run.arguments.end(), objects.begin(), objects.end());
    plan.runs.push_back(std::move(run));
    return plan;
}

ResourcePlan PlanResource(const std::vector<std::string>& arguments) {
    ResourcePlan plan;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsOption(argument)) {
            plan.script = argument;
            continue;
        }
        const std::string option = Lower(argument.substr(1));
        if (StartsWith(option, "fo")) {
            plan.output = ValueOf(arguments, i, 3, true);
        } else if ((option == "d" || option == "u" || option == "i" || option == "l" || option == "c") &&
                   i + 1 < arguments.size()) {
            ++i;  // these take their value as the next word
        }
    }
    if (plan.script.empty()) {
        plan.error = "RC : fatal error RC1107: invalid usage; use RC /? for Help";
    } else if (plan.output.empty()) {
        plan.output = ReplaceExtension(plan.script, ".res");
    }
    return plan;
}

}  // namespace toolchain
