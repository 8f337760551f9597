// lib.exe of the test toolchain: archives objects with tcc -ar.
#include "driver_run.h"

int main(int argc, char** argv) {
    using namespace toolchain;
    const auto arguments = DriverArguments(argc, argv, "LIB");
    if (!arguments) {
        return 2;
    }
    return ExecutePlan(PlanLibrary(*arguments), Tool::Librarian);
}
