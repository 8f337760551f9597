// rc.exe of the test toolchain: tcc compiles no resources, so the .res it writes is empty (our link.exe
// leaves .res files out); what matters to a build is that the file appears, or not when the script is missing.
#include "driver_run.h"

#include "base/handles.h"

#include <cstdio>
#include <windows.h>

int main(int argc, char** argv) {
    using namespace toolchain;
    const auto arguments = DriverArguments(argc, argv, "RC");
    if (!arguments) {
        return 2;
    }
    const ResourcePlan plan = PlanResource(*arguments);
    if (!plan.error.empty()) {
        std::printf("%s\n", plan.error.c_str());
        return 2;
    }
    if (!FileExists(plan.script)) {
        std::printf("RC : fatal error RC1110 : could not open %s\n", plan.script.c_str());
        return 1;
    }
    const kelpo::unique_hfile file(CreateFileA(plan.output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        std::printf("RC : fatal error RC1109 : error creating %s\n", plan.output.c_str());
        return 1;
    }
    return 0;
}
