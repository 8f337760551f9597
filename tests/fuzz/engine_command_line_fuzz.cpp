// Fuzz entry for the build engine's command line: any line is understood or refused with a
// message, and an understood one names a project within the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "build_engine/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string_view arguments = kelpo::engine::SkipProgramName(line);
    // The arguments are a view into the line.
    const char* const end = line.data() + line.size();
    if (!arguments.empty() && (arguments.data() < line.data() || arguments.data() + arguments.size() > end)) {
        std::abort();
    }
    kelpo::engine::EngineRequest request;
    std::string error;
    if (!kelpo::engine::ParseCommandLine(arguments, request, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (request.project.empty() || request.project.size() > arguments.size() || request.jobs < 0) std::abort();
    return 0;
}
