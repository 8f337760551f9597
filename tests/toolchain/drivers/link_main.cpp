// link.exe of the test toolchain: links with tcc.exe lying beside it.
#include "driver_run.h"

#include <windows.h>

namespace {

using namespace toolchain;

// The tcc input for a library named on the command line: a file found in the current folder or the
// library folders (an export list written by our /IMPLIB is handed over as a .def, which is how tcc
// reads one), else tcc's own export list of that name (kernel32.lib -> -lkernel32), else nothing: the
// system libraries tcc does not know are left out, and a symbol really missing is still reported.
std::optional<std::string> LibraryInput(const std::string& name, const DriverPlan& plan, const std::string& tccLib) {
    std::vector<std::string> candidates{name};
    if (!IsAbsolutePath(name)) {
        for (const std::string& folder : plan.libraryPaths) {
            candidates.push_back(JoinPath(folder, name));
        }
    }
    for (const std::string& path : candidates) {
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes) {
            continue;
        }
        if (bytes->rfind("!<arch>", 0) == 0) {
            return path;
        }
        const std::string definition = ReplaceExtension(path, ".lib.def");
        if (!CopyFileA(path.c_str(), definition.c_str(), FALSE)) {
            return std::nullopt;
        }
        return definition;
    }
    if (FileExists(JoinPath(tccLib, FileStem(name) + ".def"))) {
        return "-l" + FileStem(name);
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const auto arguments = DriverArguments(argc, argv, "LINK");
    if (!arguments) {
        return 2;
    }
    DriverPlan plan = PlanLink(*arguments, EnvironmentValue("LIB"));
    if (!plan.runs.empty()) {
        const std::string tccLib = ProgramFolder() + "\\lib";
        std::vector<std::string>& runArguments = plan.runs.front().arguments;
        // Libraries go after the objects, before "-o output".
        for (const std::string& library : plan.libraries) {
            if (const std::optional<std::string> input = LibraryInput(library, plan, tccLib)) {
                runArguments.insert(runArguments.end() - 2, *input);
            }
        }
    }
    const int result = ExecutePlan(plan, Tool::Linker);
    if (result == 0 && !plan.importLibrary.empty()) {
        const std::string definition = ReplaceExtension(plan.runs.front().output, ".def");
        if (!CopyFileA(definition.c_str(), plan.importLibrary.c_str(), FALSE)) {
            std::printf("LINK : fatal error LNK1104: cannot write '%s'\n", plan.importLibrary.c_str());
            return 1;
        }
    }
    return result;
}
