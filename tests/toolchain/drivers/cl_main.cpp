// cl.exe of the test toolchain: compiles C with tcc.exe lying beside it, speaking cl's options and messages.
#include "driver_run.h"

int main(int argc, char** argv) {
    using namespace toolchain;
    const auto arguments = DriverArguments(argc, argv, "cl");
    if (!arguments) {
        return 2;
    }
    return ExecutePlan(PlanCompile(*arguments, EnvironmentValue("INCLUDE")), Tool::Compiler);
}
