// Fuzz entry for the text project reader (.dsp): any bytes are read or refused, and what is read
// converts into a project file the build engine reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "build/vs_project_readers.h"
#include "fuzz/converted_project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kelpo::VsProject project;
    if (kelpo::ReadDsp(bytes, project)) kelpo::fuzz::CheckConversion(project);
    return 0;
}
